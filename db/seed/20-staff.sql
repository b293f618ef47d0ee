-- Code lists of the employee records: ethnic groups, sexes, levels of
-- education, marital states, fields of study, kinds of identity document,
-- posts, professional titles and departments. Class names compare without
-- letter case, so 'BML' is also the list the employee window reads as 'bml'.
INSERT INTO sysmcwh (class, code, content, parentid) VALUES
 ('mzl', '01', '汉族', NULL), ('mzl', '02', '回族', NULL), ('mzl', '03', '满族', NULL), ('mzl', '04', '蒙古族', NULL),
 ('mzl', '05', '壮族', NULL), ('mzl', '06', '藏族', NULL), ('mzl', '07', '维吾尔族', NULL), ('mzl', '08', '苗族', NULL),
 ('mzl', '09', '其他', NULL),
 ('xbl', '01', '男', NULL), ('xbl', '02', '女', NULL),
 ('whcd', '01', '小学', NULL), ('whcd', '02', '初中', NULL), ('whcd', '03', '高中', NULL), ('whcd', '04', '中专', NULL),
 ('whcd', '05', '大专', NULL), ('whcd', '06', '本科', NULL), ('whcd', '07', '硕士及以上', NULL),
 ('hyzkl', '01', '未婚', NULL), ('hyzkl', '02', '已婚', NULL), ('hyzkl', '03', '离异', NULL), ('hyzkl', '04', '丧偶', NULL),
 ('zyl', '01', '烹饪', NULL), ('zyl', '02', '酒店管理', NULL), ('zyl', '03', '财务会计', NULL),
 ('zyl', '04', '市场营销', NULL), ('zyl', '05', '计算机', NULL), ('zyl', '06', '其他', NULL),
 ('zjl', '01', '身份证', NULL), ('zjl', '02', '护照', NULL), ('zjl', '03', '军官证', NULL), ('zjl', '04', '港澳通行证', NULL),
 ('zwl', '01', '总经理', NULL), ('zwl', '02', '经理', NULL), ('zwl', '03', '领班', NULL), ('zwl', '04', '厨师长', NULL),
 ('zwl', '05', '厨师', NULL), ('zwl', '06', '服务员', NULL), ('zwl', '07', '收银员', NULL), ('zwl', '08', '库管员', NULL),
 ('zwl', '09', '采购员', NULL),
 ('zcl', '01', '无', NULL), ('zcl', '02', '初级', NULL), ('zcl', '03', '中级', NULL), ('zcl', '04', '高级', NULL),
 ('BML', '01', '前厅部', NULL), ('BML', '02', '厨房部', NULL), ('BML', '03', '财务部', NULL), ('BML', '04', '库房', NULL),
 ('BML', '05', '行政部', NULL);
