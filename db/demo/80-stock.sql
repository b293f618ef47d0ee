-- Demo stock bills, their lines and the stock counters. The bills fall on
-- the days before the demo database is made and on that day itself, so the
-- stock windows, the ledgers and the running account show figures for the
-- days around it. Every counter equals the sums of its goods' lines.

-- ===== stock-in =====
INSERT INTO stock_in_bill (stock_bill_id, bill_num, stock_in_date, in_man, in_man_name, pay_style, buy_man,
                           buy_man_name, demo, ckh, fs, repr_name) VALUES
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
SELECT l.code, b.ckh, l.num, coalesce(o.num, 0), l.je, CASE WHEN o.num IS NULL THEN NULL ELSE l.je + o.num * o.price END,
       strftime('%Y%m%d', b.stock_in_date)
  FROM rkgl2004 l JOIN stock_in_bill b ON b.stock_bill_id = l.stock_bill_id
  LEFT JOIN ckgl2004 o ON o.code = l.code;
