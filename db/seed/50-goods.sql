-- Code lists of the warehouse: warehouses and purchase payment methods.
-- The ordering window books its own stock bills into '综合库'.
INSERT INTO sysmcwh (class, code, content, parentid) VALUES
 ('KFH', '01', '综合库', NULL), ('KFH', '02', '酒水库', NULL), ('KFH', '03', '干货库', NULL), ('KFH', '04', '冻库', NULL),
 ('JFFS', '001', '现金', NULL), ('JFFS', '002', '支票', NULL), ('JFFS', '003', '转帐', NULL), ('JFFS', '004', '赊购', NULL);
