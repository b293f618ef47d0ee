-- Code lists of the menu and ordering: units of sale, production
-- departments and return reasons.
INSERT INTO sysmcwh (class, code, content, parentid) VALUES
 ('DWL', '01', '份', NULL), ('DWL', '02', '条', NULL), ('DWL', '03', '只', NULL), ('DWL', '04', '碗', NULL),
 ('DWL', '05', '扎', NULL), ('DWL', '06', '杯', NULL), ('DWL', '07', '听', NULL), ('DWL', '08', '瓶', NULL),
 ('DWL', '09', '斤', NULL), ('DWL', '10', '袋', NULL), ('DWL', '11', '桶', NULL), ('DWL', '12', '个', NULL),
 ('CPBML', '01', '热菜间', NULL), ('CPBML', '02', '凉菜间', NULL), ('CPBML', '03', '面点间', NULL),
 ('CPBML', '04', '吧台', NULL),
 ('TDYY', '01', '菜品质量问题', NULL), ('TDYY', '02', '上菜太慢', NULL), ('TDYY', '03', '客人不要了', NULL),
 ('TDYY', '04', '点错菜', NULL);
