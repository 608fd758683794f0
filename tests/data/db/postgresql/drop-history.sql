-- drop-history.sql on a server.
DROP TRIGGER QV_KeepSaved ON QV;
DROP TRIGGER QV_KeepDeleted ON QV;
DROP FUNCTION qv_keep_version();
DROP TABLE QVHistory;
