-- Tables of examination.mdb. The program reads and writes rows only; the
-- generator in tools/ creates the tables and their indexes.
CREATE TABLE database_name (
  id INTEGER PRIMARY KEY,
  database_name TEXT NOT NULL DEFAULT '',
  status INTEGER NOT NULL DEFAULT 1
);

CREATE TABLE fenlei (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  试卷名称 TEXT NOT NULL DEFAULT '',
  database_id INTEGER NOT NULL DEFAULT 0,
  alltime INTEGER NOT NULL DEFAULT 60,
  创建日期 TEXT,
  创建者 TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX fenlei_name ON fenlei(试卷名称);
CREATE INDEX fenlei_bank ON fenlei(database_id, id);

CREATE TABLE 考试训练题库 (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  试卷分类 INTEGER NOT NULL DEFAULT 0,
  题目类型 INTEGER NOT NULL DEFAULT 1,
  题目 TEXT NOT NULL DEFAULT '',
  选择项1 TEXT NOT NULL DEFAULT '',
  选择项2 TEXT NOT NULL DEFAULT '',
  选择项3 TEXT NOT NULL DEFAULT '',
  选择项4 TEXT NOT NULL DEFAULT '',
  正确答案 TEXT NOT NULL DEFAULT '',
  本题分数 INTEGER NOT NULL DEFAULT 2,
  题目选择 INTEGER NOT NULL DEFAULT 1,
  images TEXT NOT NULL DEFAULT '',
  解析 TEXT NOT NULL DEFAULT ''
);
CREATE INDEX question_chapter ON 考试训练题库(试卷分类, 题目选择, 题目类型, id);
CREATE INDEX question_chapter_type ON 考试训练题库(试卷分类, 题目类型, id);

CREATE TABLE rand_num (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  db_db_id INTEGER NOT NULL DEFAULT 0,
  sele_zhang_id INTEGER NOT NULL DEFAULT 0,
  sele_zhang_xuhao INTEGER NOT NULL DEFAULT 0,
  s_num INTEGER NOT NULL DEFAULT 0,
  d_num INTEGER NOT NULL DEFAULT 0,
  t_num INTEGER NOT NULL DEFAULT 0,
  p_num INTEGER NOT NULL DEFAULT 0,
  lunshu_num INTEGER NOT NULL DEFAULT 0,
  total_num INTEGER NOT NULL DEFAULT 0,
  s_num_shiti TEXT NOT NULL DEFAULT '',
  d_num_shiti TEXT NOT NULL DEFAULT '',
  t_num_shiti TEXT NOT NULL DEFAULT '',
  p_num_shiti TEXT NOT NULL DEFAULT '',
  lunshu_num_shiti TEXT NOT NULL DEFAULT ''
);
CREATE INDEX rand_num_bank ON rand_num(db_db_id, sele_zhang_xuhao);

CREATE TABLE run_record (
  per_num INTEGER,
  display_answer INTEGER,
  next_time INTEGER,
  test_time INTEGER,
  joke_flag INTEGER
);

CREATE TABLE log (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  date TEXT,
  fen INTEGER NOT NULL DEFAULT 0,
  info TEXT NOT NULL DEFAULT ''
);

CREATE TABLE help (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  title TEXT NOT NULL DEFAULT '',
  data BLOB,
  flag TEXT NOT NULL DEFAULT ''
);
CREATE INDEX help_title ON help(title);

CREATE TABLE reg (
  flag TEXT NOT NULL DEFAULT '',
  pass TEXT NOT NULL DEFAULT ''
);

CREATE TABLE joke (
  word TEXT NOT NULL DEFAULT ''
);
