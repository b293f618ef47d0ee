-- Demo menu: three top categories with their sub-categories and twenty
-- dishes, two of them disabled and two linked to goods (50-goods.sql).
INSERT INTO cpclass (code, cname, parentcode) VALUES
 ('1', '热菜', '0'), ('101', '川菜', '1'), ('102', '粤菜', '1'), ('103', '家常菜', '1'),
 ('2', '凉菜', '0'), ('201', '凉拌', '2'),
 ('3', '主食酒水', '0'), ('301', '主食', '3'), ('302', '饮料', '3'), ('303', '酒类', '3');

INSERT INTO cpdetail (code, cpname, spellcode, cp_classid, cp_type, base_price, cp_danwei, cp_price, real_price,
                      cp_part, cp_memo, cp_status, ty_date, ty_reason, cp_spgl, cp_glbl) VALUES
 ('1', '宫保鸡丁', 'GBJD', '101', '份', 38, 1, 38, '0', '热菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('2', '水煮牛肉', 'SZNR', '101', '份', 48, 1, 48, '0', '热菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('3', '麻婆豆腐', 'MPDF', '101', '份', 22, 1, 22, '0', '热菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('4', '鱼香肉丝', 'YXRS', '101', '份', 28, 1, 28, '0', '热菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('5', '清蒸鲈鱼', 'QZZY', '102', '条', 68, 1, 68, '1', '热菜间', '时价', NULL, NULL, NULL, NULL, NULL),
 ('6', '北京烤鸭', 'BJKY', '102', '只', 128, 1, 128, '0', '热菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('7', '白切鸡', 'BQJ', '102', '份', 50, 0.9, 45, '0', '热菜间', '', '1', '2026-11-20 00:00:00', '缺货', NULL, NULL),
 ('8', '红烧排骨', 'HSPG', '103', '份', 58, 1, 58, '0', '热菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('9', '地三鲜', 'DSX', '103', '份', 26, 1, 26, '0', '热菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('10', '西红柿炒鸡蛋', 'XHSCJD', '103', '份', 18, 1, 18, '0', '热菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('11', '拍黄瓜', 'PHG', '201', '份', 12, 1, 12, '0', '凉菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('12', '凉拌木耳', 'LBME', '201', '份', 16, 1, 16, '0', '凉菜间', '', NULL, NULL, NULL, NULL, NULL),
 ('13', '夫妻肺片', 'FQFP', '201', '份', 32, 1, 32, '0', '凉菜间', '', '1', '2026-12-01 00:00:00', '厨师休假', NULL, NULL),
 ('14', '米饭', 'MF', '301', '碗', 2, 1, 2, '0', '面点间', '', NULL, NULL, NULL, NULL, NULL),
 ('15', '扬州炒饭', 'YZCF', '301', '份', 22, 1, 22, '0', '面点间', '', NULL, NULL, NULL, NULL, NULL),
 ('16', '酸梅汤', 'SMT', '302', '扎', 8, 1, 8, '0', '吧台', '', NULL, NULL, NULL, NULL, NULL),
 ('17', '鲜榨橙汁', 'XZCZ', '302', '杯', 18, 1, 18, '0', '吧台', '', NULL, NULL, NULL, NULL, NULL),
 ('18', '可乐', 'KL', '302', '听', 6, 1, 6, '0', '吧台', '', NULL, NULL, NULL, '1001', 1),
 ('19', '青岛啤酒', 'QDPJ', '303', '瓶', 10, 1, 10, '0', '吧台', '', NULL, NULL, NULL, '1002', 1),
 ('20', '长城干红', 'CCGH', '303', '瓶', 168, 1, 168, '0', '吧台', '', NULL, NULL, NULL, NULL, NULL);
