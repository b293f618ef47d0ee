-- Demo sales for the reports: three weeks of settled and cleared seatings
-- before the day the demo database is built, and two settled this morning,
-- each with its order lines, payment row and bill row. The tables keep the
-- states the front desk and ordering demos gave them.

-- ===== seatings =====
-- Up to seven meals a day at fixed tables and times; a meal is left out
-- on some days so that the days differ. Day 0 is today: two meals that
-- ended three to four hours before the database was built.
CREATE TEMP TABLE demo_meal AS
WITH RECURSIVE days(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM days WHERE n < 21),
meals(slot, table_id, start_time, minutes, diners, serv_code, serv_name, cust_code, cust_name, pay_sts, pay_name, waived) AS (VALUES
 (1, '101', '11:30:00', 60, 4, '002', '王强', '002', '王强', '0', '现金', 0),
 (2, '102', '11:45:00', 50, 2, '003', '李娜', '003', '李娜', '2', '信用卡', 0),
 (3, '201', '12:00:00', 90, 8, '001', '张丽', '001', '张丽', '0', '现金', 6),
 (4, '104', '17:30:00', 70, 5, '002', '王强', '003', '李娜', '1', '支票', 0),
 (5, '202', '18:00:00', 120, 10, '003', '李娜', '003', '李娜', '3', '挂帐', 0),
 (6, '301', '18:30:00', 80, 3, '001', '张丽', '002', '王强', '0', '现金', 0),
 (7, '106', '19:00:00', 60, 4, '002', '王强', '001', '张丽', '5', '其它', 0)),
chosen AS (
 SELECT d.n, m.*,
        CASE WHEN d.n = 0
             THEN strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime', '-' || (330 - 40 * m.slot) || ' minutes')
             ELSE date('now', 'localtime', '-' || d.n || ' days') || ' ' || m.start_time END AS start_date
   FROM days d JOIN meals m
  WHERE (d.n = 0 AND m.slot <= 2) OR (d.n > 0 AND (d.n + m.slot) % 5 <> 0))
SELECT n, slot, table_id, diners, serv_code, serv_name, cust_code, cust_name, minutes, waived,
       -- every sixth day the second meal is on the house
       CASE WHEN n % 6 = 0 AND n > 0 AND slot = 2 THEN '4' ELSE pay_sts END AS pay_sts,
       CASE WHEN n % 6 = 0 AND n > 0 AND slot = 2 THEN '免单' ELSE pay_name END AS pay_name,
       strftime('%Y%m%d%H%M%S', start_date) AS use_table_id,
       start_date,
       strftime('%Y-%m-%d %H:%M:%S', start_date, '+' || minutes || ' minutes') AS end_date,
       -- the banquet of every seventh day is a continued bill: settled once
       -- half an hour before the end and again for what was added after
       (slot = 5 AND n % 7 = 3) AS continued
  FROM chosen;

INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, end_date, acc_date, strink_num, strink_def,
                              serv_code, serv_name, cust_code, cust_name, house_class, memo, man_type,
                              use_table_man_id, sts)
SELECT m.use_table_id, m.table_id, m.start_date, m.end_date, strftime('%Y%m%d', m.start_date), m.diners,
       CASE WHEN m.start_time_of_day < '16:00:00' THEN '中班' ELSE '晚班' END,
       m.serv_code, m.serv_name, m.cust_code, m.cust_name, b.fname, '', '', '', 'P'
  FROM (SELECT *, substr(start_date, 12) AS start_time_of_day FROM demo_meal) m
  JOIN house_table t ON t.table_id = m.table_id
  LEFT JOIN house_bm b ON b.fcode = t.house_bmid
 ORDER BY m.start_date;

-- ===== order lines =====
-- What each meal ordered: kind 0 ordered, 1 returned (negative quantity),
-- 2 free; round 2 is what a continued bill added after its first checkout.
-- Quantities of some dishes grow by one on odd days.
CREATE TEMP TABLE demo_line AS
WITH orders(slot, fsxh, food_code, food_num, kind, odd_day_extra, round) AS (VALUES
 (1, 0, '1', 1, '0', 0, 1), (1, 1, '3', 1, '0', 0, 1), (1, 2, '14', 4, '0', 0, 1), (1, 3, '16', 1, '2', 0, 1),
 (2, 0, '4', 1, '0', 0, 1), (2, 1, '14', 2, '0', 0, 1), (2, 2, '17', 2, '0', 1, 1),
 (3, 0, '6', 1, '0', 0, 1), (3, 1, '2', 1, '0', 0, 1), (3, 2, '8', 1, '0', 0, 1), (3, 3, '11', 2, '0', 0, 1),
 (3, 4, '19', 6, '0', 2, 1), (3, 5, '19', -2, '1', 0, 1), (3, 6, '20', 1, '0', 0, 1),
 (4, 0, '9', 1, '0', 0, 1), (4, 1, '10', 1, '0', 0, 1), (4, 2, '15', 2, '0', 1, 1), (4, 3, '18', 3, '0', 0, 1),
 (5, 0, '5', 1, '0', 0, 1), (5, 1, '6', 1, '0', 0, 1), (5, 2, '12', 2, '0', 0, 1), (5, 3, '19', 10, '0', 2, 1),
 (5, 4, '14', 10, '0', 0, 1), (5, 5, '16', 2, '2', 0, 1), (5, 6, '19', 4, '0', 0, 2), (5, 7, '11', 1, '0', 0, 2),
 (6, 0, '1', 1, '0', 0, 1), (6, 1, '12', 1, '0', 0, 1), (6, 2, '15', 1, '0', 0, 1), (6, 3, '16', 1, '0', 1, 1),
 (7, 0, '2', 1, '0', 0, 1), (7, 1, '3', 1, '0', 0, 1), (7, 2, '14', 4, '0', 0, 1), (7, 3, '18', 4, '0', 0, 1))
SELECT m.use_table_id, o.fsxh, o.food_code, d.cpname AS food_name, d.cp_type AS unit, d.cp_price AS price,
       o.food_num + CASE WHEN m.n % 2 = 1 THEN o.odd_day_extra ELSE 0 END AS food_num, o.kind,
       -- a meal that is not continued settles everything at once
       CASE WHEN m.continued THEN o.round ELSE 1 END AS round,
       strftime('%Y-%m-%d %H:%M:%S', m.start_date,
                '+' || CASE WHEN o.round = 2 AND m.continued THEN m.minutes - 20
                            WHEN o.kind = '1' THEN 20 ELSE 5 END || ' minutes') AS bill_time
  FROM demo_meal m JOIN orders o ON o.slot = m.slot
  JOIN cpdetail d ON d.code = o.food_code
 -- the second round exists only for a continued bill
 WHERE o.round = 1 OR m.continued;

-- ===== payment and bill rows =====
-- One per checkout: the receivable is what the round's lines come to
-- without the free ones; the first checkout waives the meal's waived
-- amount, a free bill waives everything.
CREATE TEMP TABLE demo_bill AS
SELECT m.use_table_id, l.round, m.pay_sts, m.pay_name,
       CASE WHEN m.continued AND l.round = 1
            THEN strftime('%Y-%m-%d %H:%M:%S', m.start_date, '+' || (m.minutes - 30) || ' minutes')
            ELSE m.end_date END AS account_date,
       SUM(CASE WHEN l.kind = '2' THEN 0 ELSE l.food_num * l.price END) AS fee,
       CASE WHEN m.pay_sts = '4' THEN SUM(CASE WHEN l.kind = '2' THEN 0 ELSE l.food_num * l.price END)
            WHEN l.round = 1 THEN m.waived ELSE 0 END AS waived
  FROM demo_meal m JOIN demo_line l ON l.use_table_id = m.use_table_id
 GROUP BY m.use_table_id, l.round;

INSERT INTO account_mess_200505 (use_table_id, pay_money, pay_sts, pay_sts_name)
SELECT use_table_id, fee - waived, pay_sts, pay_name FROM demo_bill ORDER BY account_date;

INSERT INTO ACCOUNT_200606 (use_table_id, account_date, account_man, fee_price, discount_price, discount_rule_id,
                            no_account_price, account_price, pay_sts)
SELECT use_table_id, account_date, '', fee, 0, '', waived, fee - waived, pay_sts FROM demo_bill ORDER BY account_date;

-- Settled lines carry the bill row of the checkout that settled them.
INSERT INTO strink_mess_200505 (strink_mess_id, use_table_id, fsxh, food_code, food_name, unit, price, food_num,
                                send_addr, state, STS, account_sts, memo, bill_time, account_id)
SELECT l.use_table_id || printf('%02d', l.fsxh), l.use_table_id, l.fsxh, l.food_code, l.food_name, l.unit, l.price,
       l.food_num, '', 1, l.kind, '1', '', l.bill_time,
       (SELECT a.account_id FROM ACCOUNT_200606 a JOIN demo_bill b ON b.use_table_id = a.use_table_id
         WHERE a.use_table_id = l.use_table_id AND b.round = l.round AND a.account_date = b.account_date)
  FROM demo_line l
 ORDER BY l.use_table_id, l.fsxh;

DROP TABLE demo_bill;
DROP TABLE demo_line;
DROP TABLE demo_meal
