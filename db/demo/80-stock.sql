-- Demo stock bills, their lines and the stock counters. The bills fall on
-- the days before the demo database is made and on that day itself, so the
-- stock windows, the ledgers and the running account show figures for the
-- days around it. Every counter equals the sums of its goods' lines. The
-- opening bill of the drinks comes before the first demo sale: tabulor-mkdb
-- books the demo's sales of the linked drinks out of that stock afterwards,
-- as placing the orders would have.

-- ===== stock-in =====
INSERT INTO stock_in_bill (stock_bill_id, bill_num, stock_in_date, in_man, in_man_name, pay_style, buy_man,
                           buy_man_name, demo, ckh, fs, repr_name) VALUES
 (strftime('%Y%m%d', 'now', 'localtime', '-22 days') || '090000', 1,
  strftime('%Y-%m-%d 00:00:00', 'now', 'localtime', '-22 days'), '001', '张丽', '转帐', '002', '王强', '月初备货',
  '酒水库', '手工入库', '燕京啤酒经销部'),
 (strftime('%Y%m%d', 'now', 'localtime', '-6 days') || '090000', 1,
  strftime('%Y-%m-%d 00:00:00', 'now', 'localtime', '-6 days'), '001', '张丽', '现金', '002', '王强', '饮料补货',
  '酒水库', '手工入库', '燕京啤酒经销部'),
 (strftime('%Y%m%d', 'now', 'localtime', '-3 days') || '093000', 1,
  strftime('%Y-%m-%d 00:00:00', 'now', 'localtime', '-3 days'), '001', '张丽', '转帐', '003', '李娜', '',
  '干货库', '手工入库', '华联超市'),
 (strftime('%Y%m%d', 'now', 'localtime') || '080000', 1,
  strftime('%Y-%m-%d 00:00:00', 'now', 'localtime'), '001', '张丽', '现金', '002', '王强', '早市进货',
  '冻库', '手工入库', '鑫源肉类批发');

INSERT INTO rkgl2004 (stock_bill_id, id, code, name, type, pch, jzsl, gqsj, scs, unit, num, price, je) VALUES
 (strftime('%Y%m%d', 'now', 'localtime', '-22 days') || '090000', 1, '1001', '可乐', '330ml', 'KL0501', '24',
  '2027-05-31', '可口可乐', '听', 240, 2.5, 600),
 (strftime('%Y%m%d', 'now', 'localtime', '-22 days') || '090000', 1, '1002', '青岛啤酒', '600ml', 'QD0502', '12',
  '2027-02-28', '青岛啤酒', '瓶', 360, 4, 1440),
 (strftime('%Y%m%d', 'now', 'localtime', '-6 days') || '090000', 1, '1001', '可乐', '330ml', 'KL0601', '24', '2027-06-30',
  '可口可乐', '听', 48, 2.5, 120),
 (strftime('%Y%m%d', 'now', 'localtime', '-6 days') || '090000', 1, '1002', '青岛啤酒', '600ml', 'QD0602', '12',
  '2027-03-31', '青岛啤酒', '瓶', 48, 4, 192),
 (strftime('%Y%m%d', 'now', 'localtime', '-3 days') || '093000', 1, '2001', '大米', '25kg', 'DM0301', '1', '2027-12-31',
  '五常米业', '袋', 4, 65, 260),
 (strftime('%Y%m%d', 'now', 'localtime', '-3 days') || '093000', 1, '2002', '食用油', '5L', 'SY0302', '4', '2027-10-31',
  '金龙鱼', '桶', 3, 78, 234),
 (strftime('%Y%m%d', 'now', 'localtime', '-3 days') || '093000', 1, '2003', '鸡蛋', '散装', '', '', '', '', '斤', 20, 5.5,
  110),
 (strftime('%Y%m%d', 'now', 'localtime') || '080000', 1, '3001', '猪排骨', '鲜', '', '', '', '', '斤', 10, 22, 220),
 (strftime('%Y%m%d', 'now', 'localtime') || '080000', 1, '3002', '鲈鱼', '活', '', '', '', '', '条', 6, 30, 180);

-- ===== stock-out =====
INSERT INTO stock_out_bill (stock_bill_id, bill_num, repr_name, stock_out_date, get_man, get_man_name, val_man,
                            val_man_name, ckh, demo, fs) VALUES
 (strftime('%Y%m%d', 'now', 'localtime', '-2 days') || '100000', 1, '厨房部',
  strftime('%Y-%m-%d 00:00:00', 'now', 'localtime', '-2 days'), '003', '李娜', '001', '张丽', '干货库', '领料',
  '手动出库'),
 (strftime('%Y%m%d', 'now', 'localtime') || '103000', 1, '前厅部',
  strftime('%Y-%m-%d 00:00:00', 'now', 'localtime'), '002', '王强', '001', '张丽', '酒水库', '吧台补货', '手动出库');

INSERT INTO ckgl2004 (stock_bill_id, id, code, num, price, zhks) VALUES
 (strftime('%Y%m%d', 'now', 'localtime', '-2 days') || '100000', 1, '2001', 1, 65, 0),
 (strftime('%Y%m%d', 'now', 'localtime', '-2 days') || '100000', 1, '2003', 5, 5.5, 0),
 (strftime('%Y%m%d', 'now', 'localtime') || '103000', 1, '1001', 12, 2.5, 0),
 (strftime('%Y%m%d', 'now', 'localtime') || '103000', 1, '1002', 6, 4, 0);

-- ===== counters =====
-- Each goods' counter adds up its lines; the warehouse and the day are those
-- of its last stock-in, and the last issue's amount is added to the
-- received amount as the stock-out lines do.
INSERT INTO store (code, ckh, rks, cks, zje, ckje, yearmonth)
SELECT i.code, last_in.ckh, i.num, coalesce(o.num, 0), i.je,
       CASE WHEN o.num IS NULL THEN NULL
            ELSE i.je + (SELECT l.num * l.price FROM ckgl2004 l JOIN stock_out_bill b ON b.stock_bill_id = l.stock_bill_id
                          WHERE l.code = i.code ORDER BY b.stock_out_date DESC, b.stock_bill_id DESC LIMIT 1) END,
       strftime('%Y%m%d', last_in.stock_in_date)
  FROM (SELECT code, sum(num) AS num, sum(je) AS je FROM rkgl2004 GROUP BY code) i
  JOIN stock_in_bill last_in ON last_in.stock_bill_id =
       (SELECT b.stock_bill_id FROM rkgl2004 l JOIN stock_in_bill b ON b.stock_bill_id = l.stock_bill_id
         WHERE l.code = i.code ORDER BY b.stock_in_date DESC, b.stock_bill_id DESC LIMIT 1)
  LEFT JOIN (SELECT code, sum(num) AS num FROM ckgl2004 GROUP BY code) o ON o.code = i.code
 ORDER BY i.code;
