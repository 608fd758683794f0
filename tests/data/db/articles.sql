-- A few articles with known content for the database-layer tests (after db/schema.sql).
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited,
                Image1, Problem, Solution, ProblemText, SolutionText) VALUES
(10, 'Printing', 'Dana Whitfield', 'Printer shows offline', 'N/A', '03/02/2023', 'N/A', '03/02/2023',
 'N/A', '{\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0\fs20 The printer shows offline.\par}',
 '{\rtf1\ansi\f0\b Restart\b0  the spooler.\par}', 'The printer shows offline.', 'Restart the spooler.'),
(9, 'Network', 'Sam Okafor', 'VPN drops after error #5', 'KB-17', '04/11/2023', 'N/A', '04/11/2023',
 'N/A', '{\rtf1\ansi\f0 Tunnel closes with error #5.\par}', '{\rtf1\ansi\f0 Renew the certificate.\par}',
 'Tunnel closes with error #5.', 'Renew the certificate.'),
(2, 'Printing', 'Sam Okafor', 'Toner warning on the laser printer', 'N/A', '05/01/2023', 'Dana Whitfield',
 '06/01/2023', 'N/A', '{\rtf1\ansi\f0 Toner low message.\par}', '{\rtf1\ansi\f0 Shake the cartridge.\par}',
 'Toner low message.', 'Shake the cartridge.'),
(3, 'Hardware', 'Lea Brandt', 'Écran reste noir über Nacht', 'N/A', '07/01/2023', 'N/A', '07/01/2023',
 'N/A', '{\rtf1\ansi\f0 L''\''e9cran reste noir.\par}', '{\rtf1\ansi\f0 Update the driver.\par}',
 'L''écran reste noir.', 'Update the driver.'),
(4, 'Email', 'Lea Brandt', 'Mailbox 100% full', 'N/A', '08/01/2023', 'N/A', '08/01/2023',
 'N/A', '{\rtf1\ansi\f0 Quota_exceeded bounce.\par}', '{\rtf1\ansi\f0 Archive old mail.\par}',
 'Quota_exceeded bounce.', 'Archive old mail.');
INSERT INTO Categories (category) VALUES ('Printing'), ('Network'), ('Hardware'), ('Email');
INSERT INTO Users (Users) VALUES ('Dana Whitfield'), ('Sam Okafor'), ('Lea Brandt');
