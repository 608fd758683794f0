-- A database of the old layout: Categories has no RecordID, so the Categories2 query that
-- names it fails until the start-up upgrade adds the key.
CREATE TABLE QV (Id INTEGER, CUName VARCHAR(255), techname VARCHAR(255), Title VARCHAR(255),
                 Problem MEMO, Solution MEMO, ProblemText MEMO, SolutionText MEMO);
CREATE TABLE Categories (category VARCHAR(255) NOT NULL DEFAULT 'N/A');
CREATE INDEX Categories_category ON Categories (category);
CREATE VIEW Categories2 AS SELECT category, RecordID FROM Categories;
INSERT INTO Categories (category) VALUES ('Printing'), ('Network'), ('Accounts'), ('Email');
INSERT INTO QV (Id, CUName, techname, Title) VALUES (1, 'Printing', 'Sam Okafor', 'Paper jam');
