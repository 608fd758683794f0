-- old-layout.sql on a server. A view there must name existing columns, so Categories2 reads
-- through a function that resolves its query only when it runs: it fails with "column does
-- not exist" until the start-up upgrade adds the key, as the SQLite file's view does.
CREATE DOMAIN memo AS text COLLATE "C";
CREATE TABLE QV (Id bigint, CUName varchar(255), techname varchar(255), Title varchar(255),
                 Problem memo, Solution memo, ProblemText memo, SolutionText memo);
CREATE TABLE Categories (category varchar(255) NOT NULL DEFAULT 'N/A');
CREATE INDEX Categories_category ON Categories (category);
CREATE FUNCTION categories2_rows() RETURNS TABLE (category text, RecordID bigint)
    LANGUAGE plpgsql AS $$
BEGIN
    RETURN QUERY EXECUTE 'SELECT category::text, RecordID::bigint FROM Categories';
END;
$$;
CREATE VIEW Categories2 AS SELECT * FROM categories2_rows();
INSERT INTO Categories (category) VALUES ('Printing'), ('Network'), ('Accounts'), ('Email');
INSERT INTO QV (Id, CUName, techname, Title) VALUES (1, 'Printing', 'Sam Okafor', 'Paper jam');
