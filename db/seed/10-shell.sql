-- Rows a fresh database needs: the system user with every permission, the
-- permission menu tree, the parameters.

INSERT INTO cust (code, name, use_type) VALUES ('SYSTEM', '系统管理员', '1');

-- The system user's password is "admin" until it is changed (stored as its
-- salted hash, like every password).
INSERT INTO level_user (usercode, username, password, setfun) VALUES ('SYSTEM', '系统管理员',
 'pbkdf2-sha256$120000$3OHxLebJVd0KsXXC+whcVQ==$1Mg7miIpiqwHQ2lAb+pj4fgRYXi2gWRwEjPaJi5apFk=', '000');

-- Permission menu tree: groups (parentid '0') and one function per menu code.
INSERT INTO sysmcwh (class, code, content, parentid) VALUES
 ('CDL', '100', '前台管理', '0'),
 ('CDL', '101', '预定管理', '100'),
 ('CDL', '102', '收银管理', '100'),
 ('CDL', '103', '日始日结', '100'),
 ('CDL', '104', '销售明细统计', '100'),
 ('CDL', '105', '员工销售排行', '100'),
 ('CDL', '106', '房台销售明细', '100'),
 ('CDL', '107', '房台点单统计', '100'),
 ('CDL', '108', '销售汇总统计', '100'),
 ('CDL', '300', '库房管理', '0'),
 ('CDL', '301', '入库管理', '300'),
 ('CDL', '302', '出库管理', '300'),
 ('CDL', '305', '库存查询', '300'),
 ('CDL', '307', '商品入库台帐', '300'),
 ('CDL', '308', '商品出库台帐', '300'),
 ('CDL', '309', '商品流水帐', '300'),
 ('CDL', '500', '人事管理', '0'),
 ('CDL', '502', '员工信息', '500'),
 ('CDL', '600', '系统设置', '0'),
 ('CDL', '601', '房台设置', '600'),
 ('CDL', '602', '菜单管理', '600'),
 ('CDL', '604', '商品档案', '600'),
 ('CDL', '606', '员工权限', '600'),
 ('CDL', '607', '打印设置', '600'),
 ('CDL', '608', '退款设置', '600'),
 ('CDL', '609', '清除记录', '600'),
 ('CDL', '610', '关联设置', '600'),
 ('CDL', '611', '路径设置', '600');

-- The system user may use every function.
INSERT INTO level_info (usercode, menu_code, parent_code, id)
SELECT 'SYSTEM', code, parentid, ROW_NUMBER() OVER (ORDER BY rowid)
  FROM sysmcwh WHERE class = 'CDL' AND parentid <> '0';

INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE, XTCS_MS)
SELECT 'rolemaxid', CAST(MAX(id) AS TEXT), NULL FROM level_info;
