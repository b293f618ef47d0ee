-- Demo rows for the program's demo database: a small restaurant.

-- ===== staff =====
INSERT INTO cust (code, name, use_type) VALUES
 ('001', '张丽', '1'),
 ('002', '王强', '1'),
 ('003', '李娜', '1'),
 ('004', '赵敏', '0');

-- A cashier with the front-desk functions; password "1234".
INSERT INTO level_user (usercode, username, password, setfun) VALUES ('001', '张丽',
 'pbkdf2-sha256$120000$Kas2KwS1/UhpqI6UXnwV2Q==$traJFlOHyw/Pa2my2R9BfiEqmo8wt6x4IK3i0RPgmfo=', '000');
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
-- The seatings are opened shortly before the demo database is made, so the
-- board is lively whenever it is built: two tables in use, one settled, one
-- continued, one reserved, one disabled, the rest free.
UPDATE house_table SET othersts = 'A' WHERE table_id IN ('101', '201');
UPDATE house_table SET othersts = 'D' WHERE table_id = '103';
UPDATE house_table SET othersts = 'P' WHERE table_id = '105';
UPDATE house_table SET othersts = 'E' WHERE table_id = '301';
UPDATE house_table SET sts = 'B' WHERE table_id = '202';

WITH opened(table_id, minutes, diners, serv_code, serv_name, cust_code, cust_name, house_class, fbc, settled_minutes, sts) AS (VALUES
 ('101', 50, 4, '002', '王强', '003', '李娜', '大厅', '中班', NULL, 'A'),
 ('201', 25, 8, '003', '李娜', '002', '王强', '包间', '中班', NULL, 'A'),
 ('103', 130, 2, '002', '王强', '002', '王强', '大厅', '中班', 70, 'D'),
 ('301', 95, 3, '003', '李娜', '003', '李娜', '雅座', '中班', 40, 'D'))
INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, end_date, strink_num,
                              serv_code, serv_name, cust_code, cust_name, house_class, fbc, fbz, sts)
SELECT strftime('%Y%m%d%H%M%S', 'now', 'localtime', '-' || minutes || ' minutes'), table_id,
       strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime', '-' || minutes || ' minutes'),
       CASE WHEN settled_minutes IS NULL THEN NULL
            ELSE strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime', '-' || settled_minutes || ' minutes') END,
       diners, serv_code, serv_name, cust_code, cust_name, house_class, fbc, '', sts
  FROM opened;

-- Order lines: kind 0 ordered, 1 returned (negative quantity), 2 free;
-- settled lines carry the mark 1. The continued table has a new open line.
WITH lines(table_id, fsxh, food_code, food_name, price, food_num, kind, state, settled) AS (VALUES
 ('101', 0, '0101', '宫保鸡丁', 38, 1, '0', '1', '0'),
 ('101', 1, '0203', '清蒸鲈鱼', 68, 1, '0', '0', '0'),
 ('101', 2, '0305', '麻婆豆腐', 22, 1, '0', '1', '0'),
 ('101', 3, '0402', '米饭', 2, 4, '0', '1', '0'),
 ('101', 4, '0501', '酸梅汤', 8, 2, '2', '1', '0'),
 ('201', 0, '0201', '北京烤鸭', 128, 1, '0', '0', '0'),
 ('201', 1, '0102', '水煮牛肉', 48, 1, '0', '0', '0'),
 ('201', 2, '0601', '青岛啤酒', 10, 6, '0', '1', '0'),
 ('201', 3, '0601', '青岛啤酒', 10, -2, '1', '1', '0'),
 ('103', 0, '0104', '鱼香肉丝', 28, 1, '0', '1', '1'),
 ('103', 1, '0402', '米饭', 2, 2, '0', '1', '1'),
 ('301', 0, '0202', '红烧排骨', 58, 1, '0', '1', '1'),
 ('301', 1, '0306', '地三鲜', 26, 1, '0', '1', '1'),
 ('301', 2, '0502', '鲜榨橙汁', 18, 2, '0', '0', '0'))
INSERT INTO strink_mess_200505 (strink_mess_id, use_table_id, fsxh, food_code, food_name, price,
                                food_num, STS, state, account_sts)
SELECT u.use_table_id || printf('%02d', l.fsxh), u.use_table_id, l.fsxh, l.food_code, l.food_name, l.price,
       l.food_num, l.kind, l.state, l.settled
  FROM lines l JOIN use_table_200505 u ON u.house_table_id = l.table_id AND u.sts <> 'P'
 ORDER BY u.use_table_id, l.fsxh;

-- ===== reservations =====
-- Two current reservations of 芙蓉厅, made when the demo database is built:
-- dinner tomorrow and lunch the day after. A reserved table carries the
-- mark 'B' (set with the board's states above).
INSERT INTO pre_strink (pre_strink_id, pre_man, pre_man_num, phone, pre_date, endtime, fbc, paymoney, fbz,
                        pre_house, bmid, serials, server_man) VALUES
 (1, '刘先生', '8', '13800138000', strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'),
  strftime('%Y-%m-%d 18:30:00', 'now', 'localtime', '+1 day'), '晚班', 200, '生日宴', '202', '02',
  strftime('%Y%m%d%H%M%S', 'now', 'localtime'), NULL),
 (1, '陈女士', '4', '13912345678', strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'),
  strftime('%Y-%m-%d 12:00:00', 'now', 'localtime', '+2 days'), '中班', 0, '',  '202', '02',
  strftime('%Y%m%d%H%M%S', 'now', 'localtime'), NULL);

-- ===== print settings and switches =====
INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES
 (1, 1, 'Tabulor 小馆|电话 010-12345678|欢迎光临', '0'),
 (1, 0, '谢谢惠顾|欢迎再次光临|', '0');
INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE, XTCS_MS) VALUES
 ('Orders', 'Class', '打印排序方式'),
 ('Associate', 'Yes', '售货关联与否'),
 ('AllowRefundment', '0', '允许结帐后退款');
