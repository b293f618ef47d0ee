-- Demo table types, specifications, tables, table states and reservations.

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

-- One table disabled; the reserved table carries the mark 'B'.
UPDATE house_table SET othersts = 'P' WHERE table_id = '105';
UPDATE house_table SET sts = 'B' WHERE table_id = '202';

-- ===== reservations =====
-- Two current reservations of 芙蓉厅, made when the demo database is built:
-- dinner tomorrow and lunch the day after. A reserved table carries the
-- mark 'B' (set above).
INSERT INTO pre_strink (pre_strink_id, pre_man, pre_man_num, phone, pre_date, endtime, fbc, paymoney, fbz,
                        pre_house, bmid, serials, server_man) VALUES
 (1, '刘先生', '8', '13800138000', strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'),
  strftime('%Y-%m-%d 18:30:00', 'now', 'localtime', '+1 day'), '晚班', 200, '生日宴', '202', '02',
  strftime('%Y%m%d%H%M%S', 'now', 'localtime'), NULL),
 (1, '陈女士', '4', '13912345678', strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'),
  strftime('%Y-%m-%d 12:00:00', 'now', 'localtime', '+2 days'), '中班', 0, '',  '202', '02',
  strftime('%Y%m%d%H%M%S', 'now', 'localtime'), NULL);

