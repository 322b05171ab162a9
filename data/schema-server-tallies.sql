-- Counts a centre's server keeps so that a chapter page costs the same for a
-- bank of 100,000 questions as for one of 100: the questions per chapter and
-- type, and each worker's known questions per chapter and type, kept by
-- triggers on question and worker_known. Run after schema-server.sql on a new
-- database; on a database made before the counts existed the program adds
-- them at start (ServerSchema::upgrade), filling them from the rows there.

-- The questions per chapter and type, kept by the triggers on question below:
-- a bank's counts are then a sum over its chapters, not a walk over its
-- questions, however large the bank and however many workers load at once.
CREATE TABLE chapter_tally (
  chapter_id bigint NOT NULL,
  type integer NOT NULL,
  questions integer NOT NULL DEFAULT 0,
  PRIMARY KEY (chapter_id, type)
);

-- The questions a worker knows per chapter and type, kept by the triggers on
-- worker_known below.
CREATE TABLE worker_known_tally (
  worker_id bigint NOT NULL REFERENCES worker(id) ON DELETE CASCADE,
  chapter_id bigint NOT NULL,
  type integer NOT NULL,
  known integer NOT NULL DEFAULT 0,
  PRIMARY KEY (worker_id, chapter_id, type)
);

-- Adds a statement's inserted rows to chapter_tally and takes its deleted ones
-- off; an update does both. One grouped upsert per statement, so a bank import
-- of thousands of questions costs one statement more, not thousands.
CREATE FUNCTION drillbay_tally_questions() RETURNS trigger
  LANGUAGE plpgsql AS $$
BEGIN
  IF TG_OP = 'INSERT' THEN
    INSERT INTO chapter_tally AS t(chapter_id, type, questions)
      SELECT 试卷分类, 题目类型, count(*) FROM new_rows GROUP BY 1, 2
      ON CONFLICT (chapter_id, type) DO UPDATE SET questions = t.questions + excluded.questions;
  ELSIF TG_OP = 'DELETE' THEN
    INSERT INTO chapter_tally AS t(chapter_id, type, questions)
      SELECT 试卷分类, 题目类型, -count(*) FROM old_rows GROUP BY 1, 2
      ON CONFLICT (chapter_id, type) DO UPDATE SET questions = t.questions + excluded.questions;
  ELSE
    INSERT INTO chapter_tally AS t(chapter_id, type, questions)
      SELECT chapter_id, type, sum(change) FROM (
          SELECT 试卷分类 AS chapter_id, 题目类型 AS type, 1 AS change FROM new_rows
          UNION ALL
          SELECT 试卷分类, 题目类型, -1 FROM old_rows) AS changes
        GROUP BY 1, 2 HAVING sum(change) <> 0
      ON CONFLICT (chapter_id, type) DO UPDATE SET questions = t.questions + excluded.questions;
  END IF;
  RETURN NULL;
END $$;

CREATE TRIGGER question_tally_insert AFTER INSERT ON question
  REFERENCING NEW TABLE AS new_rows
  FOR EACH STATEMENT EXECUTE FUNCTION drillbay_tally_questions();
CREATE TRIGGER question_tally_delete AFTER DELETE ON question
  REFERENCING OLD TABLE AS old_rows
  FOR EACH STATEMENT EXECUTE FUNCTION drillbay_tally_questions();
CREATE TRIGGER question_tally_update AFTER UPDATE ON question
  REFERENCING OLD TABLE AS old_rows NEW TABLE AS new_rows
  FOR EACH STATEMENT EXECUTE FUNCTION drillbay_tally_questions();

-- A known mark takes the chapter and type of its question, whoever writes it.
CREATE FUNCTION drillbay_known_of_question() RETURNS trigger
  LANGUAGE plpgsql AS $$
BEGIN
  SELECT 试卷分类, 题目类型 INTO NEW.chapter_id, NEW.type FROM question WHERE id = NEW.question_id;
  RETURN NEW;
END $$;

CREATE TRIGGER known_of_question BEFORE INSERT OR UPDATE OF question_id ON worker_known
  FOR EACH ROW EXECUTE FUNCTION drillbay_known_of_question();

-- A question moved to another chapter or type moves its known marks along.
CREATE FUNCTION drillbay_move_known() RETURNS trigger
  LANGUAGE plpgsql AS $$
BEGIN
  UPDATE worker_known SET chapter_id = NEW.试卷分类, type = NEW.题目类型
    WHERE question_id = NEW.id;
  RETURN NULL;
END $$;

CREATE TRIGGER question_moves_known AFTER UPDATE OF 试卷分类, 题目类型 ON question
  FOR EACH ROW
  WHEN (OLD.试卷分类 IS DISTINCT FROM NEW.试卷分类 OR OLD.题目类型 IS DISTINCT FROM NEW.题目类型)
  EXECUTE FUNCTION drillbay_move_known();

-- worker_known_tally follows worker_known as chapter_tally follows question. A
-- worker being deleted takes the tally along; the marks deleted with it are
-- not counted off a tally that is gone.
CREATE FUNCTION drillbay_tally_known() RETURNS trigger
  LANGUAGE plpgsql AS $$
BEGIN
  IF TG_OP = 'INSERT' THEN
    INSERT INTO worker_known_tally AS t(worker_id, chapter_id, type, known)
      SELECT worker_id, chapter_id, type, count(*) FROM new_rows GROUP BY 1, 2, 3
      ON CONFLICT (worker_id, chapter_id, type) DO UPDATE SET known = t.known + excluded.known;
  ELSIF TG_OP = 'DELETE' THEN
    INSERT INTO worker_known_tally AS t(worker_id, chapter_id, type, known)
      SELECT o.worker_id, o.chapter_id, o.type, -count(*) FROM old_rows o
        WHERE EXISTS (SELECT 1 FROM worker w WHERE w.id = o.worker_id)
        GROUP BY 1, 2, 3
      ON CONFLICT (worker_id, chapter_id, type) DO UPDATE SET known = t.known + excluded.known;
  ELSE
    INSERT INTO worker_known_tally AS t(worker_id, chapter_id, type, known)
      SELECT worker_id, chapter_id, type, sum(change) FROM (
          SELECT worker_id, chapter_id, type, 1 AS change FROM new_rows
          UNION ALL
          SELECT worker_id, chapter_id, type, -1 FROM old_rows) AS changes
        GROUP BY 1, 2, 3 HAVING sum(change) <> 0
      ON CONFLICT (worker_id, chapter_id, type) DO UPDATE SET known = t.known + excluded.known;
  END IF;
  RETURN NULL;
END $$;

CREATE TRIGGER known_tally_insert AFTER INSERT ON worker_known
  REFERENCING NEW TABLE AS new_rows
  FOR EACH STATEMENT EXECUTE FUNCTION drillbay_tally_known();
CREATE TRIGGER known_tally_delete AFTER DELETE ON worker_known
  REFERENCING OLD TABLE AS old_rows
  FOR EACH STATEMENT EXECUTE FUNCTION drillbay_tally_known();
CREATE TRIGGER known_tally_update AFTER UPDATE ON worker_known
  REFERENCING OLD TABLE AS old_rows NEW TABLE AS new_rows
  FOR EACH STATEMENT EXECUTE FUNCTION drillbay_tally_known();
