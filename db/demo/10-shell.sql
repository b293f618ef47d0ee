-- Demo rows of the application shell: a cashier user, print settings and
-- the switches.

-- A cashier with the front-desk functions; password "1234".
INSERT INTO level_user (usercode, username, password, setfun) VALUES ('001', '张丽',
 'pbkdf2-sha256$120000$Kas2KwS1/UhpqI6UXnwV2Q==$traJFlOHyw/Pa2my2R9BfiEqmo8wt6x4IK3i0RPgmfo=', '000');
INSERT INTO level_info (usercode, menu_code, parent_code, id) VALUES
 ('001', '101', '100', 101),
 ('001', '102', '100', 102),
 ('001', '104', '100', 103);
UPDATE SYSXTCS SET XTCS_VALUE = '103' WHERE XTCS_NAME = 'rolemaxid';

-- ===== print settings and switches =====
INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES
 (1, 1, 'Tabulor 小馆|电话 010-12345678|欢迎光临', '0'),
 (1, 0, '谢谢惠顾|欢迎再次光临|', '0');
INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE, XTCS_MS) VALUES
 ('Orders', 'Class', '打印排序方式'),
 ('Associate', 'Yes', '售货关联与否'),
 ('AllowRefundment', '0', '允许结帐后退款');
