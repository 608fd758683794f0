-- Takes the search index and its triggers out of a database made from db/schema.sql: the
-- layout of a file written before the index existed.
DROP TRIGGER QV_Search_Insert;
DROP TRIGGER QV_Search_Delete;
DROP TRIGGER QV_Search_Update;
DROP TABLE QV_Search;
