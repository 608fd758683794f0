-- The tables of a Quorvel knowledge base (SQLite). Create a database with:
--     sqlite3 knowledge.db < db/schema.sql
-- Yes/no fields hold -1 (yes) and 0 (no). Short texts are VARCHAR; the rich-text documents
-- and their plain text are MEMO, which the program reads by key when a row's field is
-- asked for instead of holding every document in memory.

-- Articles. Id is the article number as the user sees it (not a key: gaps and duplicates
-- are allowed). It has no declared type, so that each value keeps the type it was stored
-- with: numbers (stored as integers) sort as numbers in ORDER BY id, 9 before 10, and a
-- number typed with leading zeros ("0000", "007") keeps them as text, after the numbers.
-- RecordID is the row key the engine fills. ProblemText and SolutionText hold the plain
-- text of the two rich-text documents, written with them, so that a search matches words,
-- never RTF markup.
CREATE TABLE QV (
    Id,
    CUName VARCHAR(255),
    techname VARCHAR(255),
    Title VARCHAR(255),
    reference VARCHAR(255),
    InitialEntry VARCHAR(50),
    EditedBy VARCHAR(255),
    DateEdited VARCHAR(50),
    Image1 VARCHAR(255),
    Image2 VARCHAR(255),
    Image3 VARCHAR(255),
    Image4 VARCHAR(255),
    Image5 VARCHAR(255),
    Image6 VARCHAR(255),
    Image7 VARCHAR(255),
    Image8 VARCHAR(255),
    Image9 VARCHAR(255),
    Image10 VARCHAR(255),
    RecordID INTEGER PRIMARY KEY AUTOINCREMENT,
    Problem MEMO,
    Solution MEMO,
    ProblemText MEMO,
    SolutionText MEMO
);
CREATE INDEX QV_Id ON QV (Id);

-- Indexes that let the program read the article list without touching the documents: the
-- keys in article-number order (numbers first, then text without regard to letter case),
-- and every short column, so that a filter on one scans this index instead of the table.
CREATE INDEX QV_Order ON QV (Id COLLATE NOCASE);
CREATE INDEX QV_Short ON QV (CUName, techname, Title, reference, InitialEntry, EditedBy,
    DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10,
    Id);

-- The trigram index behind the search: every three characters of the searchable text, so
-- that a LIKE pattern holding three or more plain characters finds its rows without reading
-- every article. Its rows are the rows of QV by RecordID; the triggers keep it in step inside
-- the transaction of each write. The program adds the same to a file that lacks it.
CREATE VIRTUAL TABLE QV_Search USING fts5(Title, ProblemText, SolutionText, techname, EditedBy, reference, content='QV', content_rowid='RecordID', tokenize='trigram');
CREATE TRIGGER QV_Search_Insert AFTER INSERT ON QV BEGIN
    INSERT INTO QV_Search(rowid, Title, ProblemText, SolutionText, techname, EditedBy, reference)
        VALUES (new.RecordID, new.Title, new.ProblemText, new.SolutionText, new.techname, new.EditedBy, new.reference);
END;
CREATE TRIGGER QV_Search_Delete AFTER DELETE ON QV BEGIN
    INSERT INTO QV_Search(QV_Search, rowid, Title, ProblemText, SolutionText, techname, EditedBy, reference)
        VALUES ('delete', old.RecordID, old.Title, old.ProblemText, old.SolutionText, old.techname, old.EditedBy, old.reference);
END;
CREATE TRIGGER QV_Search_Update AFTER UPDATE OF Title, ProblemText, SolutionText, techname, EditedBy, reference ON QV BEGIN
    INSERT INTO QV_Search(QV_Search, rowid, Title, ProblemText, SolutionText, techname, EditedBy, reference)
        VALUES ('delete', old.RecordID, old.Title, old.ProblemText, old.SolutionText, old.techname, old.EditedBy, old.reference);
    INSERT INTO QV_Search(rowid, Title, ProblemText, SolutionText, techname, EditedBy, reference)
        VALUES (new.RecordID, new.Title, new.ProblemText, new.SolutionText, new.techname, new.EditedBy, new.reference);
END;

-- Category names.
CREATE TABLE Categories (
    category VARCHAR(255),
    RecordID INTEGER PRIMARY KEY AUTOINCREMENT
);

-- The schema probe at start-up opens this query: it names RecordID, so on a database whose
-- Categories still lacks that column it fails with "no such column" and the program adds it.
CREATE VIEW Categories2 AS SELECT category, RecordID FROM Categories;

-- Author names ("Entered By"), not accounts.
CREATE TABLE Users (
    Users VARCHAR(255)
);

-- The captions of the six article fields, in ID order.
CREATE TABLE Customize (
    ID INTEGER,
    Labels VARCHAR(255)
);

-- Accounts. Password holds the scrambled form (two letters "a" to "p" per character).
CREATE TABLE Login (
    LoginName VARCHAR(255),
    Password VARCHAR(255),
    FullName VARCHAR(255),
    Administrator INTEGER NOT NULL DEFAULT 0,
    ReadOnly INTEGER NOT NULL DEFAULT 0
);

-- One row: whether the login window is required at start-up.
CREATE TABLE tblEnablePasswords (
    ID INTEGER,
    EnablePasswords INTEGER NOT NULL DEFAULT 0
);

-- Old layout, kept: start-up opens it and reads no row.
CREATE TABLE CUINFO (
    CUName VARCHAR(255),
    EmployeeName VARCHAR(255)
);

-- Article history. Every save that changes an article and every delete keeps the row as it
-- was before, written by the triggers below in the same transaction as the change. RecordID
-- is the article's row key; Change is 'Saved' or 'Deleted'; ChangedAt the time of the
-- change (UTC, "YYYY-MM-DD HH:MM:SS.SSS"); ChangedBy the Edited By field of the row the save
-- wrote (of the deleted row for a delete), or the logged-in name where the program signs
-- its changes; ChangedFields the columns the save changed, each after one blank, Problem and
-- Solution when their words changed (a change of formatting alone is kept, not listed).
-- The statements from here to the end of the section are also what the start-up upgrade
-- runs on a knowledge base that lacks them.
-- history begins
CREATE TABLE QVHistory (
    HistoryID INTEGER PRIMARY KEY AUTOINCREMENT,
    RecordID INTEGER,
    Change VARCHAR(10),
    ChangedAt VARCHAR(30),
    ChangedBy VARCHAR(255),
    ChangedFields VARCHAR(255),
    Id,
    CUName VARCHAR(255),
    techname VARCHAR(255),
    Title VARCHAR(255),
    reference VARCHAR(255),
    InitialEntry VARCHAR(50),
    EditedBy VARCHAR(255),
    DateEdited VARCHAR(50),
    Image1 VARCHAR(255),
    Image2 VARCHAR(255),
    Image3 VARCHAR(255),
    Image4 VARCHAR(255),
    Image5 VARCHAR(255),
    Image6 VARCHAR(255),
    Image7 VARCHAR(255),
    Image8 VARCHAR(255),
    Image9 VARCHAR(255),
    Image10 VARCHAR(255),
    Problem MEMO,
    Solution MEMO,
    ProblemText MEMO,
    SolutionText MEMO
);
CREATE INDEX QVHistory_RecordID ON QVHistory (RecordID);
CREATE INDEX QVHistory_Deleted ON QVHistory (Change) WHERE Change = 'Deleted';
CREATE TRIGGER QV_KeepSaved AFTER UPDATE ON QV
WHEN OLD.Id IS NOT NEW.Id
    OR OLD.CUName IS NOT NEW.CUName
    OR OLD.techname IS NOT NEW.techname
    OR OLD.Title IS NOT NEW.Title
    OR OLD.reference IS NOT NEW.reference
    OR OLD.InitialEntry IS NOT NEW.InitialEntry
    OR OLD.EditedBy IS NOT NEW.EditedBy
    OR OLD.DateEdited IS NOT NEW.DateEdited
    OR OLD.Image1 IS NOT NEW.Image1
    OR OLD.Image2 IS NOT NEW.Image2
    OR OLD.Image3 IS NOT NEW.Image3
    OR OLD.Image4 IS NOT NEW.Image4
    OR OLD.Image5 IS NOT NEW.Image5
    OR OLD.Image6 IS NOT NEW.Image6
    OR OLD.Image7 IS NOT NEW.Image7
    OR OLD.Image8 IS NOT NEW.Image8
    OR OLD.Image9 IS NOT NEW.Image9
    OR OLD.Image10 IS NOT NEW.Image10
    OR OLD.Problem IS NOT NEW.Problem
    OR OLD.Solution IS NOT NEW.Solution
BEGIN
    INSERT INTO QVHistory (RecordID, Change, ChangedAt, ChangedBy, ChangedFields, Id, CUName,
        techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3,
        Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText,
        SolutionText)
    VALUES (OLD.RecordID, 'Saved', strftime('%Y-%m-%d %H:%M:%f', 'now'), NEW.EditedBy,
        CASE WHEN OLD.Id IS NOT NEW.Id THEN ' Id' ELSE '' END ||
        CASE WHEN OLD.CUName IS NOT NEW.CUName THEN ' CUName' ELSE '' END ||
        CASE WHEN OLD.techname IS NOT NEW.techname THEN ' techname' ELSE '' END ||
        CASE WHEN OLD.Title IS NOT NEW.Title THEN ' Title' ELSE '' END ||
        CASE WHEN OLD.reference IS NOT NEW.reference THEN ' reference' ELSE '' END ||
        CASE WHEN OLD.InitialEntry IS NOT NEW.InitialEntry THEN ' InitialEntry' ELSE '' END ||
        CASE WHEN OLD.EditedBy IS NOT NEW.EditedBy THEN ' EditedBy' ELSE '' END ||
        CASE WHEN OLD.DateEdited IS NOT NEW.DateEdited THEN ' DateEdited' ELSE '' END ||
        CASE WHEN OLD.Image1 IS NOT NEW.Image1 THEN ' Image1' ELSE '' END ||
        CASE WHEN OLD.Image2 IS NOT NEW.Image2 THEN ' Image2' ELSE '' END ||
        CASE WHEN OLD.Image3 IS NOT NEW.Image3 THEN ' Image3' ELSE '' END ||
        CASE WHEN OLD.Image4 IS NOT NEW.Image4 THEN ' Image4' ELSE '' END ||
        CASE WHEN OLD.Image5 IS NOT NEW.Image5 THEN ' Image5' ELSE '' END ||
        CASE WHEN OLD.Image6 IS NOT NEW.Image6 THEN ' Image6' ELSE '' END ||
        CASE WHEN OLD.Image7 IS NOT NEW.Image7 THEN ' Image7' ELSE '' END ||
        CASE WHEN OLD.Image8 IS NOT NEW.Image8 THEN ' Image8' ELSE '' END ||
        CASE WHEN OLD.Image9 IS NOT NEW.Image9 THEN ' Image9' ELSE '' END ||
        CASE WHEN OLD.Image10 IS NOT NEW.Image10 THEN ' Image10' ELSE '' END ||
        CASE WHEN coalesce(rtrim(OLD.ProblemText), '') IS NOT coalesce(rtrim(NEW.ProblemText), '')
            THEN ' Problem' ELSE '' END ||
        CASE WHEN coalesce(rtrim(OLD.SolutionText), '') IS NOT coalesce(rtrim(NEW.SolutionText), '')
            THEN ' Solution' ELSE '' END,
        OLD.Id, OLD.CUName, OLD.techname, OLD.Title, OLD.reference, OLD.InitialEntry,
        OLD.EditedBy, OLD.DateEdited, OLD.Image1, OLD.Image2, OLD.Image3, OLD.Image4,
        OLD.Image5, OLD.Image6, OLD.Image7, OLD.Image8, OLD.Image9, OLD.Image10, OLD.Problem,
        OLD.Solution, OLD.ProblemText, OLD.SolutionText);
END;
CREATE TRIGGER QV_KeepDeleted AFTER DELETE ON QV
BEGIN
    INSERT INTO QVHistory (RecordID, Change, ChangedAt, ChangedBy, ChangedFields, Id, CUName,
        techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3,
        Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText,
        SolutionText)
    VALUES (OLD.RecordID, 'Deleted', strftime('%Y-%m-%d %H:%M:%f', 'now'), OLD.EditedBy, '',
        OLD.Id, OLD.CUName, OLD.techname, OLD.Title, OLD.reference, OLD.InitialEntry,
        OLD.EditedBy, OLD.DateEdited, OLD.Image1, OLD.Image2, OLD.Image3, OLD.Image4,
        OLD.Image5, OLD.Image6, OLD.Image7, OLD.Image8, OLD.Image9, OLD.Image10, OLD.Problem,
        OLD.Solution, OLD.ProblemText, OLD.SolutionText);
END;
-- history ends
