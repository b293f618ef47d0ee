-- Demo rows for the program's demo database: a small restaurant.

-- ===== staff =====
INSERT INTO cust (code, name, use_type) VALUES
 ('001', '张丽', '1'),
 ('002', '王强', '1'),
 ('003', '李娜', '1'),
 ('004', '赵敏', '0');

-- A cashier with the front-desk functions; password "1234".
INSERT INTO level_user (usercode, username, password, setfun) VALUES ('001', '张丽', '1234', '000');
INSERT INTO level_info (usercode, menu_code, parent_code, id) VALUES
 ('001', '101', '100', 101),
 ('001', '102', '100', 102),
 ('001', '104', '100', 103);
UPDATE SYSXTCS SET XTCS_VALUE = '103' WHERE XTCS_NAME = 'rolemaxid';

-- ===== table types, specifications and tables =====
INSERT INTO house_bm (fcode, fname) VALUES ('01', '大厅'), ('02', '包间'), ('03', '雅座');
INSERT INTO house_kinds (fcode, fname) VALUES ('01', '四人台'), ('02', '六人台'), ('03', '十人台');
INSERT INTO house_table (table_id, house_name, house_num, class, house_bmid, othersts, sts, fbz) VALUES
 ('101', '大厅1', 4, '四人台', '01', 'C', NULL, ''),
 ('102', '大厅2', 4, '四人台', '01', 'C', NULL, ''),
 ('103', '大厅3', 4, '四人台', '01', 'C', NULL, ''),
 ('104', '大厅4', 6, '六人台', '01', 'C', NULL, ''),
 ('105', '大厅5', 6, '六人台', '01', 'C', NULL, ''),
 ('106', '大厅6', 6, '六人台', '01', 'C', NULL, '靠窗'),
 ('201', '牡丹厅', 10, '十人台', '02', 'C', NULL, ''),
 ('202', '芙蓉厅', 10, '十人台', '02', 'C', NULL, ''),
 ('203', '兰花厅', 10, '十人台', '02', 'C', NULL, '带卡拉OK'),
 ('301', '雅座1', 4, '四人台', '03', 'C', NULL, ''),
 ('302', '雅座2', 4, '四人台', '03', 'C', NULL, ''),
 ('303', '雅座3', 6, '六人台', '03', 'C', NULL, '');

-- ===== board: seatings and order lines =====

-- ===== reservations =====

-- ===== print settings and switches =====
INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES
 (1, 1, 'Tabulor 小馆|电话 010-12345678|欢迎光临', '0'),
 (1, 0, '谢谢惠顾|欢迎再次光临|', '0');
INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE, XTCS_MS) VALUES
 ('Orders', 'Class', '打印排序方式'),
 ('Associate', 'Yes', '售货关联与否'),
 ('AllowRefundment', '0', '允许结帐后退款');
