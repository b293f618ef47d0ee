-- Demo members and the bills of the seatings settled in the ordering demo.

-- ===== members with on-account credit =====
INSERT INTO custom (card_num, code, name, flag, phone, gzjelimit, gzje) VALUES
 ('8001', 'M001', '李先生', '金卡', '13800138001', 5000, 1200.5),
 ('8002', 'M002', '王女士', '银卡', '13900139002', 2000, 0),
 ('8003', 'M003', '赵经理', '普通卡', '13700137003', 1000, 980);

-- ===== bills of the settled seatings =====
-- Tables 103 (settled) and 301 (continued since) were settled when their
-- seatings ended: one bill row and one payment row each, for the lines that
-- checkout settled, and those lines point at their bill.
WITH settled(table_id, waived, pay_sts) AS (VALUES ('103', 0, '0'), ('301', 4, '2')),
bills AS (
  SELECT u.use_table_id, u.end_date, s.table_id, s.waived, s.pay_sts,
         (SELECT coalesce(sum(m.price * m.food_num), 0) FROM strink_mess_200505 m
           WHERE m.use_table_id = u.use_table_id AND m.account_sts = '1' AND m.STS <> '2') AS fee
    FROM settled s JOIN use_table_200505 u ON u.house_table_id = s.table_id AND u.sts = 'D')
INSERT INTO ACCOUNT_200606 (use_table_id, account_date, account_man, fee_price, discount_price, discount_rule_id,
                            no_account_price, account_price, pay_sts)
SELECT use_table_id, end_date, '001', fee, 0, '', waived, fee - waived, pay_sts FROM bills ORDER BY table_id;

INSERT INTO account_mess_200505 (use_table_id, pay_money, pay_sts, pay_sts_name)
SELECT use_table_id, account_price, pay_sts, CASE pay_sts WHEN '0' THEN '现金' WHEN '2' THEN '信用卡' END
  FROM ACCOUNT_200606 ORDER BY account_id;

UPDATE strink_mess_200505
   SET account_id = (SELECT a.account_id FROM ACCOUNT_200606 a WHERE a.use_table_id = strink_mess_200505.use_table_id)
 WHERE account_sts = '1';
