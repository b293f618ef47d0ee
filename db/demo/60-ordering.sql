-- Demo seatings and order lines.

-- ===== board: seatings and order lines =====
-- The seatings are opened shortly before the demo database is made, so the
-- board is lively whenever it is built: two tables in use, one settled, one
-- continued (with the reserved and the disabled table of the front desk's
-- demo, the rest free).
UPDATE house_table SET othersts = 'A' WHERE table_id IN ('101', '201');
UPDATE house_table SET othersts = 'D' WHERE table_id = '103';
UPDATE house_table SET othersts = 'E' WHERE table_id = '301';

WITH opened(table_id, minutes, diners, serv_code, serv_name, cust_code, cust_name, house_class, shift, settled_minutes, sts) AS (VALUES
 ('101', 50, 4, '002', '王强', '003', '李娜', '大厅', '中班', NULL, 'A'),
 ('201', 25, 8, '003', '李娜', '002', '王强', '包间', '中班', NULL, 'A'),
 ('103', 130, 2, '002', '王强', '002', '王强', '大厅', '中班', 70, 'D'),
 ('301', 95, 3, '003', '李娜', '003', '李娜', '雅座', '中班', 40, 'D'))
INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, end_date, strink_num,
                              serv_code, serv_name, cust_code, cust_name, house_class, strink_def, memo, acc_date,
                              man_type, use_table_man_id, sts)
SELECT strftime('%Y%m%d%H%M%S', 'now', 'localtime', '-' || minutes || ' minutes'), table_id,
       strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime', '-' || minutes || ' minutes'),
       CASE WHEN settled_minutes IS NULL THEN NULL
            ELSE strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime', '-' || settled_minutes || ' minutes') END,
       diners, serv_code, serv_name, cust_code, cust_name, house_class, shift,
       CASE table_id WHEN '201' THEN '公司聚餐' ELSE '' END,
       strftime('%Y%m%d', 'now', 'localtime', '-' || minutes || ' minutes'), '01', '', sts
  FROM opened;

-- Order lines: kind 0 ordered, 1 returned (negative quantity, with its
-- reason), 2 free, 3 added; serve state 0 ordered, 1 called, 2 hurried, 3
-- urgent, 4 takeaway; settled lines carry the mark 1. The continued table
-- has a new open line.
WITH lines(table_id, fsxh, food_code, food_name, price, food_num, kind, state, settled, memo) AS (VALUES
 ('101', 0, '1', '宫保鸡丁', 38, 1, '0', '1', '0', ''),
 ('101', 1, '5', '清蒸鲈鱼', 68, 1, '0', '0', '0', ''),
 ('101', 2, '3', '麻婆豆腐', 22, 1, '0', '2', '0', ''),
 ('101', 3, '14', '米饭', 2, 4, '0', '1', '0', ''),
 ('101', 4, '16', '酸梅汤', 8, 2, '2', '1', '0', ''),
 ('101', 5, '15', '扬州炒饭', 22, 2, '0', '4', '0', '打包'),
 ('201', 0, '6', '北京烤鸭', 128, 1, '0', '3', '0', ''),
 ('201', 1, '2', '水煮牛肉', 48, 1, '0', '0', '0', ''),
 ('201', 2, '19', '青岛啤酒', 10, 6, '0', '1', '0', ''),
 ('201', 3, '19', '青岛啤酒', 10, -2, '1', '0', '0', '客人不要了'),
 ('201', 4, '11', '拍黄瓜', 12, 1, '3', '2', '0', ''),
 ('103', 0, '4', '鱼香肉丝', 28, 1, '0', '1', '1', ''),
 ('103', 1, '14', '米饭', 2, 2, '0', '1', '1', ''),
 ('301', 0, '8', '红烧排骨', 58, 1, '0', '1', '1', ''),
 ('301', 1, '9', '地三鲜', 26, 1, '0', '1', '1', ''),
 ('301', 2, '17', '鲜榨橙汁', 18, 2, '0', '0', '0', ''))
INSERT INTO strink_mess_200505 (strink_mess_id, use_table_id, fsxh, food_code, food_name, unit, price,
                                food_num, STS, state, account_sts, memo, bill_time, send_addr)
SELECT u.use_table_id || l.food_code, u.use_table_id, l.fsxh, l.food_code, l.food_name, d.cp_type, l.price,
       l.food_num, l.kind, CAST(l.state AS INTEGER), l.settled, l.memo, u.start_date, d.cp_part
  FROM lines l JOIN use_table_200505 u ON u.house_table_id = l.table_id AND u.sts <> 'P'
  LEFT JOIN cpdetail d ON d.code = l.food_code
 ORDER BY u.use_table_id, l.fsxh;
