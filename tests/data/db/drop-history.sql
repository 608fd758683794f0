-- Takes the kept versions and their triggers out of a database made from db/schema.sql: the
-- layout of a file written before history was kept.
DROP TRIGGER QV_KeepSaved;
DROP TRIGGER QV_KeepDeleted;
DROP TABLE QVHistory;
