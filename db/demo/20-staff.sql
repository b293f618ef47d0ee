-- Demo employees.

INSERT INTO cust (code, name, use_type) VALUES
 ('001', '张丽', '1'),
 ('002', '王强', '1'),
 ('003', '李娜', '1'),
 ('004', '赵敏', '0');

