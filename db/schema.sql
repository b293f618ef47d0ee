-- Tabulor database schema. Text columns compare without regard to letter
-- case; codes are text even where they hold digits. Date-times are text
-- "yyyy-MM-dd HH:mm:ss". Money columns hold amounts rounded to four decimals.

-- ===== Application shell: users, permissions, parameters, print settings =====

CREATE TABLE level_user (
    usercode  TEXT COLLATE NOCASE,
    username  TEXT COLLATE NOCASE,
    password  TEXT COLLATE BINARY,
    setfun    TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX level_user_code ON level_user(usercode);

CREATE TABLE level_info (
    usercode    TEXT COLLATE NOCASE,
    menu_code   TEXT COLLATE NOCASE,
    parent_code TEXT COLLATE NOCASE,
    id          INTEGER
);
CREATE INDEX level_info_user ON level_info(usercode);

CREATE TABLE SYSXTCS (
    XTCS_NAME  TEXT COLLATE NOCASE,
    XTCS_VALUE TEXT COLLATE NOCASE,
    XTCS_MS    TEXT COLLATE NOCASE
);

CREATE TABLE PRINTSET (
    ID       INTEGER PRIMARY KEY AUTOINCREMENT,
    STATE    INTEGER NOT NULL DEFAULT 0,
    HEAD     INTEGER NOT NULL DEFAULT 0,
    RESTNAME TEXT COLLATE NOCASE,
    PRINTER  TEXT COLLATE NOCASE
);

-- Code lists: class, code, content (and the parent of a tree entry).
CREATE TABLE sysmcwh (
    class    TEXT COLLATE NOCASE,
    code     TEXT COLLATE NOCASE,
    content  TEXT COLLATE NOCASE,
    parentid TEXT COLLATE NOCASE
);

-- ===== Front desk: table types, specifications, tables, reservations =====

CREATE TABLE house_bm (
    fcode TEXT COLLATE NOCASE,
    fname TEXT COLLATE NOCASE
);

CREATE TABLE house_kinds (
    fcode TEXT COLLATE NOCASE,
    fname TEXT COLLATE NOCASE
);

CREATE TABLE house_table (
    table_id   TEXT COLLATE NOCASE,
    house_name TEXT COLLATE NOCASE,
    house_num  INTEGER,
    class      TEXT COLLATE NOCASE,
    house_bmid TEXT COLLATE NOCASE,
    othersts   TEXT COLLATE NOCASE,
    sts        TEXT COLLATE NOCASE,
    fbz        TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX house_table_id ON house_table(table_id);

-- Reservations. reservation_id is our own key: pre_date (the entry time) can
-- repeat when two reservations are entered in the same second. pre_man stays
-- the third column. endtime is the meal time, pre_house the table's table_id,
-- bmid the table's type when the reservation was made.
CREATE TABLE pre_strink (
    reservation_id INTEGER PRIMARY KEY AUTOINCREMENT,
    pre_strink_id INTEGER,
    pre_man       TEXT COLLATE NOCASE,
    pre_man_num   TEXT COLLATE NOCASE,
    phone         TEXT COLLATE NOCASE,
    pre_date      TEXT COLLATE NOCASE,
    endtime       TEXT COLLATE NOCASE,
    fbc           TEXT COLLATE NOCASE,
    paymoney      REAL,
    fbz           TEXT COLLATE NOCASE,
    pre_house     TEXT COLLATE NOCASE,
    bmid          TEXT COLLATE NOCASE,
    serials       TEXT COLLATE NOCASE,
    server_man    TEXT COLLATE NOCASE
);
CREATE INDEX pre_strink_house ON pre_strink(pre_house);

-- ===== Menu =====

CREATE TABLE cpdetail (
    cp_code  TEXT COLLATE NOCASE,
    cp_name  TEXT COLLATE NOCASE,
    cp_price REAL
);

-- ===== Ordering: seatings and order lines =====

CREATE TABLE use_table_200505 (
    use_table_id   TEXT COLLATE NOCASE,
    house_table_id TEXT COLLATE NOCASE,
    start_date     TEXT COLLATE NOCASE,
    end_date       TEXT COLLATE NOCASE,
    strink_num     INTEGER,
    serv_code      TEXT COLLATE NOCASE,
    serv_name      TEXT COLLATE NOCASE,
    cust_code      TEXT COLLATE NOCASE,
    cust_name      TEXT COLLATE NOCASE,
    house_class    TEXT COLLATE NOCASE,
    fbc            TEXT COLLATE NOCASE,
    fbz            TEXT COLLATE NOCASE,
    sts            TEXT COLLATE NOCASE
);
CREATE INDEX use_table_table ON use_table_200505(house_table_id);
CREATE INDEX use_table_id ON use_table_200505(use_table_id);

CREATE TABLE strink_mess_200505 (
    strink_mess_id TEXT COLLATE NOCASE,
    use_table_id   TEXT COLLATE NOCASE,
    fsxh           INTEGER,
    food_code      TEXT COLLATE NOCASE,
    food_name      TEXT COLLATE NOCASE,
    price          REAL,
    food_num       REAL,
    STS            TEXT COLLATE NOCASE,
    state          TEXT COLLATE NOCASE,
    account_sts    TEXT COLLATE NOCASE
);
CREATE INDEX strink_mess_seating ON strink_mess_200505(use_table_id);

-- ===== Checkout: bills and payments =====

CREATE TABLE ACCOUNT_200606 (
    ACCOUNT_ID   TEXT COLLATE NOCASE,
    USE_TABLE_ID TEXT COLLATE NOCASE
);

CREATE TABLE account_mess_200505 (
    ACCOUNT_MESS_ID TEXT COLLATE NOCASE,
    USE_TABLE_ID    TEXT COLLATE NOCASE
);

-- ===== Staff records =====

CREATE TABLE cust (
    code     TEXT COLLATE NOCASE,
    name     TEXT COLLATE NOCASE,
    use_type TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX cust_code ON cust(code);

-- ===== Goods and stock =====

CREATE TABLE brand (
    brand_code TEXT COLLATE NOCASE,
    brand_name TEXT COLLATE NOCASE
);

CREATE TABLE store (
    brand_code TEXT COLLATE NOCASE,
    in_num     REAL,
    out_num    REAL
);

CREATE TABLE stock_in_bill (
    stock_bill_id TEXT COLLATE NOCASE,
    stock_in_date TEXT COLLATE NOCASE
);

CREATE TABLE rkgl2004 (
    stock_bill_id TEXT COLLATE NOCASE,
    brand_code  TEXT COLLATE NOCASE
);

CREATE TABLE stock_out_bill (
    stock_bill_id TEXT COLLATE NOCASE,
    stock_Out_date TEXT COLLATE NOCASE
);

CREATE TABLE ckgl2004 (
    stock_bill_id TEXT COLLATE NOCASE,
    brand_code   TEXT COLLATE NOCASE
);
