-- The rows start-up reads besides the articles, for the database of the database benchmark
-- (whose generator fills only QV): the names its articles use, the six captions, one
-- account and passwords off. Each table is filled only while it is empty, so this runs
-- before every measurement and leaves a filled database as it is.
BEGIN;
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 11)
INSERT INTO Categories (category)
SELECT 'Category ' || i FROM n WHERE NOT EXISTS (SELECT 1 FROM Categories);
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 39)
INSERT INTO Users (Users)
SELECT 'Technician ' || i FROM n WHERE NOT EXISTS (SELECT 1 FROM Users);
INSERT INTO Customize (ID, Labels)
SELECT * FROM (VALUES (1, 'QV Number:'), (2, 'Category:'), (3, 'Entered By:'), (4, 'Title:'),
                      (5, 'Problem:'), (6, 'Solution:'))
WHERE NOT EXISTS (SELECT 1 FROM Customize);
INSERT INTO Login (LoginName, Password, FullName, Administrator, ReadOnly)
SELECT 'admin', '', 'Administrator', -1, 0 WHERE NOT EXISTS (SELECT 1 FROM Login);
INSERT INTO tblEnablePasswords (ID, EnablePasswords)
SELECT 1, 0 WHERE NOT EXISTS (SELECT 1 FROM tblEnablePasswords);
COMMIT;
