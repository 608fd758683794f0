-- The sample knowledge base of a small help desk (after db/schema.sql).
-- Problem and Solution hold rich text; ProblemText and SolutionText their plain text.
BEGIN;
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    1, 'Printing', 'Dana Whitfield', 'Printer shows offline after Windows update', 'https://support.example.com/kb/1001', '01/03/2024', 'Dana Whitfield', '01/03/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The office laser printer on the second floor shows as offline for every user since the last update.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Open the printer queue, choose Printer > Use Printer Online, then restart the print spooler service.\b0\par
If it stays offline, remove the printer and add it again by its IP address.\par
}
', 'The office laser printer on the second floor shows as offline for every user since the last update.
', 'Open the printer queue, choose Printer > Use Printer Online, then restart the print spooler service.
If it stays offline, remove the printer and add it again by its IP address.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    2, 'Printing', 'Sam Okafor', 'Paper jam message with no paper jammed', 'N/A', '02/04/2024', 'N/A', '02/04/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The copier reports a paper jam in tray 2, but no paper is stuck anywhere.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Switch the copier off, open the rear door and clean the paper sensor with a dry cloth.\b0\par
Check that the guide of tray 2 touches the stack.\par
}
', 'The copier reports a paper jam in tray 2, but no paper is stuck anywhere.
', 'Switch the copier off, open the rear door and clean the paper sensor with a dry cloth.
Check that the guide of tray 2 touches the stack.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    3, 'Network', 'Sam Okafor', 'VPN disconnects every few minutes', 'N/A', '03/05/2024', 'N/A', '03/05/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Home workers lose the VPN connection every five to ten minutes; the client shows error #809.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Update the VPN client to the current version and switch the protocol from UDP to TCP in the connection profile.\b0\par
}
', 'Home workers lose the VPN connection every five to ten minutes; the client shows error #809.
', 'Update the VPN client to the current version and switch the protocol from UDP to TCP in the connection profile.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    4, 'Network', 'Lea Brandt', 'No internet on the guest wireless network', 'N/A', '04/06/2024', 'Dana Whitfield', '04/06/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Visitors can join the guest network but no web page loads.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The DHCP pool of the guest network was exhausted.\b0\par
Shorten the lease time to 4 hours and clear the old leases on the router.\par
}
', 'Visitors can join the guest network but no web page loads.
', 'The DHCP pool of the guest network was exhausted.
Shorten the lease time to 4 hours and clear the old leases on the router.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    5, 'Email', 'Dana Whitfield', 'Mailbox full warning', 'https://support.example.com/kb/1005', '05/07/2024', 'N/A', '05/07/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b A user receives the warning that the mailbox is almost full and can no longer send mail.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Empty the Deleted Items folder, then enable the online archive for the user.\b0\par
Large attachments can be moved to the shared drive.\par
}
', 'A user receives the warning that the mailbox is almost full and can no longer send mail.
', 'Empty the Deleted Items folder, then enable the online archive for the user.
Large attachments can be moved to the shared drive.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    6, 'Email', 'Lea Brandt', 'Outlook keeps asking for the password', 'N/A', '06/08/2024', 'N/A', '06/08/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Outlook prompts for the password again and again although it is typed correctly.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Remove the stored credentials from the Credential Manager, then restart Outlook and sign in once with modern authentication.\b0\par
}
', 'Outlook prompts for the password again and again although it is typed correctly.
', 'Remove the stored credentials from the Credential Manager, then restart Outlook and sign in once with modern authentication.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    7, 'Accounts', 'Marco Rossi', 'User locked out after password change', 'N/A', '07/09/2024', 'Dana Whitfield', '07/09/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b After changing the password, a user is locked out again within minutes.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b A phone or a mapped drive still uses the old password.\b0\par
Update the password on the phone and reconnect the mapped drives, then unlock the account.\par
}
', 'After changing the password, a user is locked out again within minutes.
', 'A phone or a mapped drive still uses the old password.
Update the password on the phone and reconnect the mapped drives, then unlock the account.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    8, 'Accounts', 'Marco Rossi', 'New starter cannot log on', 'N/A', '08/10/2024', 'N/A', '08/10/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b A new employee gets the message that the account is disabled on the first day.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The account was created with a start date in the future.\b0\par
Correct the start date in the HR system or enable the account by hand.\par
}
', 'A new employee gets the message that the account is disabled on the first day.
', 'The account was created with a start date in the future.
Correct the start date in the HR system or enable the account by hand.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    9, 'Hardware', 'Priya Nair', 'Laptop does not charge', 'https://support.example.com/kb/1009', '09/11/2024', 'N/A', '09/11/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The charging light stays off when the power adapter is connected.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Try another adapter of the same wattage.\b0\par
If the laptop charges, replace the adapter; otherwise book a repair of the charging port.\par
}
', 'The charging light stays off when the power adapter is connected.
', 'Try another adapter of the same wattage.
If the laptop charges, replace the adapter; otherwise book a repair of the charging port.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    10, 'Hardware', 'Priya Nair', 'Second monitor not detected', 'N/A', '10/12/2024', 'Dana Whitfield', '10/12/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The docking station does not show anything on the second monitor.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Update the docking station firmware and the display driver.\b0\par
Use the DisplayPort connection instead of HDMI where possible.\par
}
', 'The docking station does not show anything on the second monitor.
', 'Update the docking station firmware and the display driver.
Use the DisplayPort connection instead of HDMI where possible.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    11, 'Software', 'Dana Whitfield', 'Spreadsheet opens read-only', 'N/A', '11/13/2024', 'N/A', '11/13/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b A shared spreadsheet always opens read-only, saying it is locked for editing by another user.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Ask everyone to close the file, then delete the hidden owner file that starts with ~$ in the same folder.\b0\par
}
', 'A shared spreadsheet always opens read-only, saying it is locked for editing by another user.
', 'Ask everyone to close the file, then delete the hidden owner file that starts with ~$ in the same folder.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    12, 'Software', 'Sam Okafor', 'Application crashes at start', 'N/A', '12/14/2024', 'N/A', '12/14/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The accounting application closes right after the splash screen.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Repair the installation from Apps & Features, then delete the user settings folder of the application so that it starts with default settings.\b0\par
}
', 'The accounting application closes right after the splash screen.
', 'Repair the installation from Apps & Features, then delete the user settings folder of the application so that it starts with default settings.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    13, 'Telephony', 'Lea Brandt', 'Desk phone shows No Service', 'https://support.example.com/kb/1013', '01/15/2024', 'Dana Whitfield', '01/15/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The desk phone displays No Service and no calls can be made.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Check that the network cable goes into the LAN port of the phone and the PC into the PC port.\b0\par
Restart the phone by unplugging it for ten seconds.\par
}
', 'The desk phone displays No Service and no calls can be made.
', 'Check that the network cable goes into the LAN port of the phone and the PC into the PC port.
Restart the phone by unplugging it for ten seconds.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    14, 'Telephony', 'Marco Rossi', 'Voicemail PIN forgotten', 'N/A', '02/16/2024', 'N/A', '02/16/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b A user forgot the voicemail PIN and cannot listen to messages.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Reset the PIN in the telephony portal under Users > Voicemail and tell the user the temporary PIN by phone.\b0\par
}
', 'A user forgot the voicemail PIN and cannot listen to messages.
', 'Reset the PIN in the telephony portal under Users > Voicemail and tell the user the temporary PIN by phone.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    15, 'Network', 'Priya Nair', 'Shared drive missing after logon', 'N/A', '03/17/2024', 'N/A', '03/17/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The S: drive does not appear after logging on at the office.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Run gpupdate /force and log off and on again.\b0\par
If the drive is still missing, map it by hand to \\\\fileserver\\shared.\par
}
', 'The S: drive does not appear after logging on at the office.
', 'Run gpupdate /force and log off and on again.
If the drive is still missing, map it by hand to \\fileserver\shared.
');
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    16, 'Software', 'Priya Nair', 'Browser shows certificate error for the intranet', 'N/A', '04/18/2024', 'Dana Whitfield', '04/18/2024', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b Opening the intranet shows the warning that the connection is not private.\b0\par
}
', '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
\viewkind4\uc1\pard\f0\fs20 \b The computer clock is wrong.\b0\par
Set the date and time to update automatically, then reload the page.\par
}
', 'Opening the intranet shows the warning that the connection is not private.
', 'The computer clock is wrong.
Set the date and time to update automatically, then reload the page.
');
INSERT INTO Categories (category) VALUES ('Accounts');
INSERT INTO Categories (category) VALUES ('Email');
INSERT INTO Categories (category) VALUES ('Hardware');
INSERT INTO Categories (category) VALUES ('Network');
INSERT INTO Categories (category) VALUES ('Printing');
INSERT INTO Categories (category) VALUES ('Software');
INSERT INTO Categories (category) VALUES ('Telephony');
INSERT INTO Users (Users) VALUES ('Dana Whitfield');
INSERT INTO Users (Users) VALUES ('Lea Brandt');
INSERT INTO Users (Users) VALUES ('Marco Rossi');
INSERT INTO Users (Users) VALUES ('Priya Nair');
INSERT INTO Users (Users) VALUES ('Sam Okafor');
INSERT INTO Customize (ID, Labels) VALUES (1, 'QV Number:');
INSERT INTO Customize (ID, Labels) VALUES (2, 'Category:');
INSERT INTO Customize (ID, Labels) VALUES (3, 'Entered By:');
INSERT INTO Customize (ID, Labels) VALUES (4, 'Title:');
INSERT INTO Customize (ID, Labels) VALUES (5, 'Problem:');
INSERT INTO Customize (ID, Labels) VALUES (6, 'Solution:');
-- The administrator account; its password is empty.
INSERT INTO Login (LoginName, Password, FullName, Administrator, ReadOnly) VALUES ('admin', '', 'Administrator', -1, 0);
INSERT INTO tblEnablePasswords (ID, EnablePasswords) VALUES (1, 0);
INSERT INTO CUINFO (CUName, EmployeeName) VALUES ('Head office', 'Dana Whitfield');
COMMIT;
