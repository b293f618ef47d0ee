-- Tabulor database schema. Text columns compare without regard to letter
-- case; codes are text even where they hold digits. Date-times are text
-- "yyyy-MM-dd HH:mm:ss"; a column that holds a day alone holds its midnight,
-- so that ranges compare as text. Money columns hold amounts rounded to four
-- decimals.

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
-- A table's or a type's reservations from a given time on.
CREATE INDEX pre_strink_house_time ON pre_strink(pre_house, endtime);
CREATE INDEX pre_strink_type_time ON pre_strink(bmid, endtime);

-- ===== Menu: dish categories and dishes =====

-- A top category has a one-character code "1".."9" and parentcode "0"; a
-- sub-category's code is its parent's code and a sequence number.
CREATE TABLE cpclass (
    code       TEXT COLLATE NOCASE,
    cname      TEXT COLLATE NOCASE,
    parentcode TEXT COLLATE NOCASE,
    flag       TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX cpclass_code ON cpclass(code);

-- Dishes. cp_status "1" (trimmed) is a disabled dish; cp_danwei is the
-- discount rate as a fraction; cp_spgl/cp_glbl the goods link; ty_date the
-- day of the last disabling or enabling, at midnight.
CREATE TABLE cpdetail (
    code       TEXT COLLATE NOCASE,
    cpname     TEXT COLLATE NOCASE,
    spellcode  TEXT COLLATE NOCASE,
    cp_classid TEXT COLLATE NOCASE,
    cp_type    TEXT COLLATE NOCASE,
    base_price REAL,
    cp_danwei  REAL,
    cp_price   REAL,
    real_price TEXT COLLATE NOCASE,
    cp_part    TEXT COLLATE NOCASE,
    cp_memo    TEXT COLLATE NOCASE,
    cp_status  TEXT COLLATE NOCASE,
    ty_date    TEXT COLLATE NOCASE,
    ty_reason  TEXT COLLATE NOCASE,
    cp_spgl    TEXT COLLATE NOCASE,
    cp_glbl    REAL
);
CREATE UNIQUE INDEX cpdetail_code ON cpdetail(code);
CREATE INDEX cpdetail_class ON cpdetail(cp_classid);
CREATE INDEX cpdetail_name ON cpdetail(cpname);
CREATE INDEX cpdetail_spellcode ON cpdetail(spellcode);
CREATE INDEX cpdetail_goods ON cpdetail(cp_spgl);

-- ===== Ordering: seatings and order lines =====

-- A seating: one stay of one party at one table. use_table_id is the
-- opening second as 14 digits and equals start_date to the second.
-- sts: 'A' open, 'D' settled, 'P' closed (table cleared).
CREATE TABLE use_table_200505 (
    use_table_id     TEXT COLLATE NOCASE PRIMARY KEY,
    house_table_id   TEXT COLLATE NOCASE,
    start_date       TEXT COLLATE NOCASE,
    end_date         TEXT COLLATE NOCASE,
    acc_date         TEXT COLLATE NOCASE,
    strink_num       INTEGER,
    strink_def       TEXT COLLATE NOCASE,
    serv_code        TEXT COLLATE NOCASE,
    serv_name        TEXT COLLATE NOCASE,
    cust_code        TEXT COLLATE NOCASE,
    cust_name        TEXT COLLATE NOCASE,
    house_class      TEXT COLLATE NOCASE,
    memo             TEXT COLLATE NOCASE,
    man_type         TEXT COLLATE NOCASE,
    use_table_man_id TEXT COLLATE NOCASE,
    sts              TEXT COLLATE NOCASE
);
CREATE INDEX use_table_table ON use_table_200505(house_table_id, start_date);
-- A table's current seating (sts <> 'P') without reading its history.
CREATE INDEX use_table_current ON use_table_200505(house_table_id) WHERE sts <> 'P';
-- Seatings by opening time; it also holds the seating's key and table, so
-- the dish sales list reads a period's seatings from it alone.
CREATE INDEX use_table_start ON use_table_200505(start_date, use_table_id, house_table_id);
CREATE INDEX use_table_end ON use_table_200505(end_date);
CREATE INDEX use_table_order_taker ON use_table_200505(cust_code);

-- Order lines. STS: "0" ordered, "1" returned (negative quantity), "2" free,
-- "3" added; state: 0 ordered .. 4 takeaway; account_sts "0" open, "1"
-- settled, and account_id the bill row (ACCOUNT_200606) that settled it.
CREATE TABLE strink_mess_200505 (
    strink_mess_id TEXT COLLATE NOCASE,
    use_table_id   TEXT COLLATE NOCASE,
    fsxh           INTEGER,
    food_code      TEXT COLLATE NOCASE,
    food_name      TEXT COLLATE NOCASE,
    unit           TEXT COLLATE NOCASE,
    food_num       REAL,
    price          REAL,
    send_addr      TEXT COLLATE NOCASE,
    state          INTEGER,
    STS            TEXT COLLATE NOCASE,
    account_sts    TEXT COLLATE NOCASE,
    memo           TEXT COLLATE NOCASE,
    bill_time      TEXT COLLATE NOCASE,
    account_id     INTEGER
);
-- A seating's lines in order; it also holds the columns the table sales
-- detail shows, so a period's lines are read from it alone.
CREATE INDEX strink_mess_seating ON strink_mess_200505(use_table_id, fsxh, food_code, food_name, food_num, price, STS);
-- The lines placed in a period; it holds every column the dish sales list
-- reads, so a period's lines are read from it alone.
CREATE INDEX strink_mess_time ON strink_mess_200505(bill_time, STS, food_code, food_name, price, food_num, use_table_id);
CREATE INDEX strink_mess_food ON strink_mess_200505(food_code, bill_time);
-- A bill's lines; it holds every column the sales summary sums, so a
-- period's lines are read from it alone, bill by bill.
CREATE INDEX strink_mess_bill ON strink_mess_200505(account_id, food_code, food_name, price, food_num, STS);

-- ===== Checkout: payments, bills and members =====

-- Payment rows: pay_sts '0' cash, '1' cheque, '2' credit card, '3' on
-- account, '4' free, '5' other.
CREATE TABLE account_mess_200505 (
    account_mess_id INTEGER PRIMARY KEY AUTOINCREMENT,
    use_table_id    TEXT COLLATE NOCASE,
    pay_money       REAL,
    pay_sts         TEXT COLLATE NOCASE,
    pay_sts_name    TEXT COLLATE NOCASE
);
CREATE INDEX account_mess_seating ON account_mess_200505(use_table_id);

-- Bill rows: one per checkout. fee_price = account_price + no_account_price
-- + discount_price.
CREATE TABLE ACCOUNT_200606 (
    account_id       INTEGER PRIMARY KEY AUTOINCREMENT,
    use_table_id     TEXT COLLATE NOCASE,
    account_date     TEXT COLLATE NOCASE,
    account_man      TEXT COLLATE NOCASE,
    fee_price        REAL,
    discount_price   REAL,
    discount_rule_id TEXT COLLATE NOCASE,
    no_account_price REAL,
    account_price    REAL,
    pay_sts          TEXT COLLATE NOCASE
);
CREATE INDEX account_seating ON ACCOUNT_200606(use_table_id);
CREATE INDEX account_date ON ACCOUNT_200606(account_date);

-- Members with on-account credit; comes with the database, never written.
CREATE TABLE custom (
    card_num  TEXT COLLATE NOCASE,
    code      TEXT COLLATE NOCASE,
    name      TEXT COLLATE NOCASE,
    flag      TEXT COLLATE NOCASE,
    phone     TEXT COLLATE NOCASE,
    gzjelimit REAL,
    gzje      REAL
);
CREATE INDEX custom_card ON custom(card_num);

-- ===== Staff records =====

-- Employees. use_type "1" employed, "0" not. Dates are date-time text; id is
-- the stamp of the last save.
CREATE TABLE cust (
    code          TEXT COLLATE NOCASE,
    name          TEXT COLLATE NOCASE,
    eng_name      TEXT COLLATE NOCASE,
    school        TEXT COLLATE NOCASE,
    certi_nbr     TEXT COLLATE NOCASE,
    long_addr     TEXT COLLATE NOCASE,
    addr          TEXT COLLATE NOCASE,
    home_acc      TEXT COLLATE NOCASE,
    home_phone    TEXT COLLATE NOCASE,
    conn_phone    TEXT COLLATE NOCASE,
    base_money    TEXT COLLATE NOCASE,
    use_acc       TEXT COLLATE NOCASE,
    remark_love   TEXT COLLATE NOCASE,
    work_hst      TEXT COLLATE NOCASE,
    birt          TEXT COLLATE NOCASE,
    scho_date     TEXT COLLATE NOCASE,
    end_work_date TEXT COLLATE NOCASE,
    work_date     TEXT COLLATE NOCASE,
    zzsj          TEXT COLLATE NOCASE,
    modify_date   TEXT COLLATE NOCASE,
    mz            TEXT COLLATE NOCASE,
    sex           TEXT COLLATE NOCASE,
    cult_deg      TEXT COLLATE NOCASE,
    marr_sts      TEXT COLLATE NOCASE,
    scho_type     TEXT COLLATE NOCASE,
    certi_num     TEXT COLLATE NOCASE,
    use_type      TEXT COLLATE NOCASE,
    work_leve     TEXT COLLATE NOCASE,
    sylevel       TEXT COLLATE NOCASE,
    parent_name   TEXT COLLATE NOCASE,
    id            TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX cust_code ON cust(code);
CREATE INDEX cust_name ON cust(name);

-- ===== Goods and stock-in =====

-- Goods. zl is the class name (BrandClass.content), zl_code the class code;
-- proper holds the daily, weekly and monthly stock-take flags as "0"/"1".
CREATE TABLE brand (
    code       TEXT COLLATE NOCASE,
    bran_name  TEXT COLLATE NOCASE,
    unit       TEXT COLLATE NOCASE,
    in_price   REAL,
    type       TEXT COLLATE NOCASE,
    zl         TEXT COLLATE NOCASE,
    zl_code    TEXT COLLATE NOCASE,
    low_alert  REAL,
    high_alert REAL,
    norm_price REAL,
    save_num   REAL,
    sum_num    REAL,
    sum_price  REAL,
    zhks       REAL,
    bz         TEXT COLLATE NOCASE,
    proper     TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX brand_code ON brand(code);
CREATE INDEX brand_class ON brand(zl);
CREATE INDEX brand_class_code ON brand(zl_code);

-- Goods classes are the rows of class 'SPZL'; comes with the database and
-- gains rows only when a new dish is linked to new goods.
CREATE TABLE BrandClass (
    class   TEXT COLLATE NOCASE,
    CODE    TEXT COLLATE NOCASE,
    CONTENT TEXT COLLATE NOCASE,
    sts     TEXT COLLATE NOCASE,
    CODEFJ  TEXT COLLATE NOCASE
);
CREATE INDEX brandclass_class ON BrandClass(class, CODE);

-- Suppliers; comes with the database, only read.
CREATE TABLE gysda (
    code TEXT COLLATE NOCASE,
    name TEXT COLLATE NOCASE
);

-- Stock counters: one row per goods code; stock on hand is rks - cks.
CREATE TABLE store (
    code      TEXT COLLATE NOCASE,
    ckh       TEXT COLLATE NOCASE,
    rks       REAL,
    cks       REAL,
    zje       REAL,
    ckje      REAL,
    yearmonth TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX store_code ON store(code);

-- Stock-in bills. stock_in_date is the day, stored as its midnight
-- "yyyy-MM-dd 00:00:00" like every date column; fs tells how the
-- bill arose ("手工入库", "销售入库").
CREATE TABLE stock_in_bill (
    stock_bill_id TEXT COLLATE NOCASE,
    bill_num      REAL,
    stock_in_date TEXT COLLATE NOCASE,
    in_man        TEXT COLLATE NOCASE,
    in_man_name   TEXT COLLATE NOCASE,
    pay_style     TEXT COLLATE NOCASE,
    buy_man       TEXT COLLATE NOCASE,
    buy_man_name  TEXT COLLATE NOCASE,
    demo          TEXT COLLATE NOCASE,
    ckh           TEXT COLLATE NOCASE,
    fs            TEXT COLLATE NOCASE,
    repr_name     TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX stock_in_bill_id ON stock_in_bill(stock_bill_id);
CREATE INDEX stock_in_bill_date ON stock_in_bill(stock_in_date);
-- The bills whose date does not begin with its day (no program writes one):
-- the data clearing finds them here, the others on the date index.
CREATE INDEX stock_in_bill_odd_date ON stock_in_bill(stock_in_date)
    WHERE stock_in_date NOT GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]*' OR typeof(stock_in_date) = 'blob';

-- Stock-in lines; (stock_bill_id, code) is the key of a line.
CREATE TABLE rkgl2004 (
    stock_bill_id TEXT COLLATE NOCASE,
    id            INTEGER,
    code          TEXT COLLATE NOCASE,
    name          TEXT COLLATE NOCASE,
    type          TEXT COLLATE NOCASE,
    pch           TEXT COLLATE NOCASE,
    jzsl          TEXT COLLATE NOCASE,
    gqsj          TEXT COLLATE NOCASE,
    scs           TEXT COLLATE NOCASE,
    unit          TEXT COLLATE NOCASE,
    num           REAL,
    price         REAL,
    je            REAL
);
CREATE INDEX rkgl2004_bill ON rkgl2004(stock_bill_id, code);
CREATE INDEX rkgl2004_code ON rkgl2004(code);

-- ===== Stock-out =====

-- Stock-out bills. stock_out_date is the day at midnight; fs tells how the
-- bill arose ("手动出库", "手工出库", "销售出库").
CREATE TABLE stock_out_bill (
    stock_bill_id  TEXT COLLATE NOCASE,
    bill_num       REAL,
    repr_name      TEXT COLLATE NOCASE,
    stock_out_date TEXT COLLATE NOCASE,
    get_man        TEXT COLLATE NOCASE,
    get_man_name   TEXT COLLATE NOCASE,
    val_man        TEXT COLLATE NOCASE,
    val_man_name   TEXT COLLATE NOCASE,
    ckh            TEXT COLLATE NOCASE,
    demo           TEXT COLLATE NOCASE,
    fs             TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX stock_out_bill_id ON stock_out_bill(stock_bill_id);
CREATE INDEX stock_out_bill_date ON stock_out_bill(stock_out_date);
CREATE INDEX stock_out_bill_odd_date ON stock_out_bill(stock_out_date)
    WHERE stock_out_date NOT GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]*' OR typeof(stock_out_date) = 'blob';

-- Stock-out lines; (stock_bill_id, code) is the key of a line.
CREATE TABLE ckgl2004 (
    stock_bill_id TEXT COLLATE NOCASE,
    id            INTEGER,
    code          TEXT COLLATE NOCASE,
    num           REAL,
    price         REAL,
    zhks          REAL
);
CREATE INDEX ckgl2004_bill ON ckgl2004(stock_bill_id, code);
CREATE INDEX ckgl2004_code ON ckgl2004(code);
