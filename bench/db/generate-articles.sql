-- Fills QV (created by db/schema.sql) with articles of realistic size: a title of about 60
-- characters, problem and solution of about 3 KB of RTF each, with their plain text. The
-- number of articles is the one row of temp.ArticleCount, made before this script runs:
--     CREATE TEMP TABLE ArticleCount (n INTEGER); INSERT INTO ArticleCount VALUES (100000);
BEGIN;
CREATE TEMP TABLE Words (n INTEGER PRIMARY KEY, word TEXT);
INSERT INTO Words (word) VALUES ('printer'), ('spooler'), ('mailbox'), ('password'),
  ('monitor'), ('docking station'), ('VPN client'), ('certificate'), ('shared drive'),
  ('laptop battery'), ('desk phone'), ('voicemail'), ('spreadsheet'), ('browser'),
  ('wireless network'), ('scanner'), ('toner cartridge'), ('keyboard'), ('calendar'),
  ('backup job');
CREATE TEMP TABLE Body (text TEXT);
INSERT INTO Body VALUES (
  'The user reports that the device stopped working after the weekly update. ' ||
  'Restarting the computer did not help and the message came back at the next logon. ' ||
  'Other users on the same floor see the same behaviour since this morning. ' ||
  'The event log shows a warning from the service a few seconds after start. ' ||
  'Check the cable and the power supply first, then look at the driver version. ' ||
  'If the driver is older than the one on the software portal, install the new one. ' ||
  'Clear the local cache folder of the application and sign in again. ' ||
  'When the problem stays, collect the log files and open a ticket with the vendor. ' ||
  'Note the serial number, the firmware version and the time the fault was first seen. ' ||
  'Tell the user how long the repair will take and offer a loan device if needed. ');
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < (SELECT n FROM temp.ArticleCount)),
article AS (
  SELECT i,
         (SELECT word FROM Words WHERE n = 1 + i % 20) AS w1,
         (SELECT word FROM Words WHERE n = 1 + (i * 7) % 20) AS w2,
         substr((SELECT text FROM Body) || (SELECT text FROM Body) || (SELECT text FROM Body) ||
                (SELECT text FROM Body), 1 + (i * 37) % 700, 2900) AS problem,
         substr((SELECT text FROM Body) || (SELECT text FROM Body) || (SELECT text FROM Body) ||
                (SELECT text FROM Body), 1 + (i * 53) % 700, 2900) AS solution
  FROM n)
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited,
                Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10,
                Problem, Solution, ProblemText, SolutionText)
SELECT i, 'Category ' || (i % 12), 'Technician ' || (i % 40),
       printf('The %s fails after the %s update, case %06d', w1, w2, i),
       'N/A', printf('%02d/%02d/2023', 1 + i % 12, 1 + i % 28), 'N/A',
       printf('%02d/%02d/2024', 1 + i % 12, 1 + i % 28),
       'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
       '{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}\viewkind4\uc1\pard\f0\fs20 ' ||
           '\b ' || w1 || '\b0\par ' || replace(problem, '. ', '.\par ') || '\par}',
       '{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}\viewkind4\uc1\pard\f0\fs20 ' ||
           '\b ' || w2 || '\b0\par ' || replace(solution, '. ', '.\par ') || '\par}',
       w1 || char(10) || replace(problem, '. ', '.' || char(10)),
       w2 || char(10) || replace(solution, '. ', '.' || char(10))
FROM article;
COMMIT;
