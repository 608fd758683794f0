-- The sample knowledge base of a small help desk (after db/schema.sql).
-- Problem and Solution hold each article's rich text exactly as the program's RTF writer
-- writes it (Arial 10 pt as the default font); ProblemText and SolutionText hold the plain
-- text that the RTF reader gives for them. tests/platform/db/TestSampleDatabase checks that
-- both still hold: write a changed article with the writer, never edit the RTF by hand.
BEGIN;
-- 1. Printer shows offline after Windows update
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    1, 'Printing', 'Dana Whitfield', 'Printer shows offline after Windows update', 'https://support.example.com/kb/1001', '01/08/2024', 'Dana Whitfield', '03/12/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Since the Windows update of Tuesday, the \b second-floor laser printer\b0  (PRN-2F-01) shows as \i Offline\i0  for every user. Print jobs stay in the queue and nothing comes out.\par
\par
The printer itself is on, its display says \i Ready\i0  and it prints a configuration page from its own menu.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}{\f2\fnil\fcharset2 Symbol;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20\b Cause:\b0  the update replaced the printer''s port with a WSD port, which loses the printer whenever it gets a new IP address from the DHCP server.\par
\par
\b Fix\b0  (about five minutes, needs an administrator account):\par
\pard{\pntext\f2\''b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\''b7}}\fi-360\li360 Open \b Settings > Bluetooth & devices > Printers & scanners\b0, select the printer and choose \b Printer properties\b0.
\par
{\pntext\f2\''b7\tab}On the \b Ports\b0  tab, add a \b Standard TCP/IP Port\b0  with the address 10.20.2.15 and tick it.\par
{\pntext\f2\''b7\tab}Restart the print spooler from an administrator command prompt:\par
\pard\li600\f1 net stop spooler && net start spooler\par
\pard{\pntext\f2\''b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\''b7}}\fi-360\li360\f0 Print a test page from the \b General\b0  tab.\par
\pard\par
\i Note: the printer now has a reserved address on the DHCP server, so the port should not need changing again.\par
}
',
'Since the Windows update of Tuesday, the second-floor laser printer (PRN-2F-01) shows as Offline for every user. Print jobs stay in the queue and nothing comes out.

The printer itself is on, its display says Ready and it prints a configuration page from its own menu.',
'Cause: the update replaced the printer''s port with a WSD port, which loses the printer whenever it gets a new IP address from the DHCP server.

Fix (about five minutes, needs an administrator account):
Open Settings > Bluetooth & devices > Printers & scanners, select the printer and choose Printer properties.
On the Ports tab, add a Standard TCP/IP Port with the address 10.20.2.15 and tick it.
Restart the print spooler from an administrator command prompt:
net stop spooler && net start spooler
Print a test page from the General tab.

Note: the printer now has a reserved address on the DHCP server, so the port should not need changing again.');
-- 2. Paper jam message with no paper jammed
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    2, 'Printing', 'Sam Okafor', 'Paper jam message with no paper jammed', 'N/A', '01/22/2024', 'N/A', '01/22/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 The copier in the ground-floor print room reports \b Paper jam in tray 2\b0  (code J-0231), but no paper is stuck anywhere. Opening and closing the doors does not clear the message.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\colortbl;\red192\green0\blue0;}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 1. Switch the copier off at the power button and wait 30 seconds.\par
2. Open the rear door and wipe the \b paper sensor\b0  (the small black flap above the rollers) with a dry, lint-free cloth.\par
3. Pull out tray 2 and slide the paper guides until they touch the stack. A guide left open lets the sheet enter at an angle, and the sensor reads that as a jam.\par
4. Switch the copier on and copy one page from tray 2.\par
\par
\cf1\b Caution:\cf0\b0  the fuser unit behind the rear door gets very hot. Let it cool for ten minutes before touching anything inside.\par
\par
If the message comes back, call the service company (contract number on the sticker at the front) and note the error code in the call.\par
}
',
'The copier in the ground-floor print room reports Paper jam in tray 2 (code J-0231), but no paper is stuck anywhere. Opening and closing the doors does not clear the message.',
'1. Switch the copier off at the power button and wait 30 seconds.
2. Open the rear door and wipe the paper sensor (the small black flap above the rollers) with a dry, lint-free cloth.
3. Pull out tray 2 and slide the paper guides until they touch the stack. A guide left open lets the sheet enter at an angle, and the sensor reads that as a jam.
4. Switch the copier on and copy one page from tray 2.

Caution: the fuser unit behind the rear door gets very hot. Let it cool for ten minutes before touching anything inside.

If the message comes back, call the service company (contract number on the sticker at the front) and note the error code in the call.');
-- 3. VPN disconnects every few minutes
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    3, 'Network', 'Sam Okafor', 'VPN disconnects every few minutes', 'N/A', '02/05/2024', 'Lea Brandt', '05/14/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Home workers lose the \b VPN connection\b0  every five to ten minutes. The client shows \i error 809\i0  and reconnects by itself, but open files on the shared drive and video calls drop
 each time.\par
\par
It happens mostly behind home routers of one internet provider; in the office and on mobile hotspots the connection is stable.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}{\f2\fnil\fcharset2 Symbol;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 The provider''s routers drop UDP traffic that has been quiet for about a minute. Switching the VPN profile to \b TCP\b0  avoids it.\par
\pard{\pntext\f2\''b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\''b7}}\fi-360\li360 Update the VPN client to the current version from the Software Center.\par
{\pntext\f2\''b7\tab}In the client, open \b Connection profile > Advanced\b0  and set \b Protocol\b0  to \i TCP 443\i0.\par
{\pntext\f2\''b7\tab}Disconnect, then connect again.\par
\pard\par
To see whether the line itself drops, run a continuous ping while the user works and look for gaps:\par
\pard\li600\f1 ping -t vpn.example.com\par
\pard\par
\f0\i TCP is slightly slower. Leave UDP on for users who do not have the problem.\par
}
',
'Home workers lose the VPN connection every five to ten minutes. The client shows error 809 and reconnects by itself, but open files on the shared drive and video calls drop each time.

It happens mostly behind home routers of one internet provider; in the office and on mobile hotspots the connection is stable.',
'The provider''s routers drop UDP traffic that has been quiet for about a minute. Switching the VPN profile to TCP avoids it.
Update the VPN client to the current version from the Software Center.
In the client, open Connection profile > Advanced and set Protocol to TCP 443.
Disconnect, then connect again.

To see whether the line itself drops, run a continuous ping while the user works and look for gaps:
ping -t vpn.example.com

TCP is slightly slower. Leave UDP on for users who do not have the problem.');
-- 4. No internet on the guest wireless network
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    4, 'Network', 'Lea Brandt', 'No internet on the guest wireless network', 'N/A', '02/19/2024', 'Dana Whitfield', '02/20/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Visitors can join the \b Guest\b0  Wi-Fi and see the welcome page, but no web page loads afterwards. Staff devices on the office network work normally.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset2 Symbol;}}
{\colortbl;\red192\green0\blue0;}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 The address pool of the guest network was full: phones of past visitors kept their addresses for eight days.\par
\par
\pard{\pntext\f1\''b7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\''b7}}\fi-360\li360 Log on to the guest router''s web page (address and password in the password safe, entry \i Guest router\i0).\par
{\pntext\f1\''b7\tab}Under \b DHCP > Guest VLAN\b0, set the lease time to \b 4 hours\b0.\par
{\pntext\f1\''b7\tab}Choose \b Clear leases\b0  to free the old addresses. Connected visitors are not affected.\par
\pard\par
\cf1\b Do not\cf0\b0  make the pool larger by joining it to the office range: guests must never get an address in the office network.\par
}
',
'Visitors can join the Guest Wi-Fi and see the welcome page, but no web page loads afterwards. Staff devices on the office network work normally.',
'The address pool of the guest network was full: phones of past visitors kept their addresses for eight days.

Log on to the guest router''s web page (address and password in the password safe, entry Guest router).
Under DHCP > Guest VLAN, set the lease time to 4 hours.
Choose Clear leases to free the old addresses. Connected visitors are not affected.

Do not make the pool larger by joining it to the office range: guests must never get an address in the office network.');
-- 5. Mailbox full warning
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    5, 'Email', 'Dana Whitfield', 'Mailbox full warning', 'https://support.example.com/kb/1005', '03/04/2024', 'N/A', '03/04/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 A user gets the warning \i Your mailbox is almost full\i0  and shortly afterwards can no longer send mail. New messages stay in the \b Outbox\b0.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset2 Symbol;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 The mailbox limit is \b 50 GB\b0. First find out what uses the space: right-click the mailbox in Outlook and choose \b Data File Properties > Folder Size\b0.\par
\par
Then, together with the user:\par
\pard{\pntext\f1\''b7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\''b7}}\fi-360\li360 Empty \b Deleted Items\b0  and \b Junk Email\b0.\par
{\pntext\f1\''b7\tab}Sort the Inbox by size, save large attachments to OneDrive or the shared drive and delete the messages.\par
{\pntext\f1\''b7\tab}Ask the service desk lead to turn on the \b online archive\b0. Mail older than two years then moves there by itself.\par
\pard\par
\i The archive shows up in Outlook as a second mailbox within a day.\par
}
',
'A user gets the warning Your mailbox is almost full and shortly afterwards can no longer send mail. New messages stay in the Outbox.',
'The mailbox limit is 50 GB. First find out what uses the space: right-click the mailbox in Outlook and choose Data File Properties > Folder Size.

Then, together with the user:
Empty Deleted Items and Junk Email.
Sort the Inbox by size, save large attachments to OneDrive or the shared drive and delete the messages.
Ask the service desk lead to turn on the online archive. Mail older than two years then moves there by itself.

The archive shows up in Outlook as a second mailbox within a day.');
-- 6. Outlook keeps asking for the password
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    6, 'Email', 'Lea Brandt', 'Outlook keeps asking for the password', 'N/A', '03/18/2024', 'N/A', '03/18/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Outlook asks for the password \b again and again\b0, although it is typed correctly. Webmail works with the same password.\par
\par
The prompt is a small grey window without the company logo, not the usual sign-in page.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Outlook is using old saved credentials instead of the modern sign-in.\par
\par
\b Step 1.\b0  Close Outlook.\par
\b Step 2.\b0  Open \b Control Panel > Credential Manager > Windows Credentials\b0  and remove every entry whose name starts with \i MicrosoftOffice\i0.\par
\b Step 3.\b0  Start Outlook and sign in once in the new sign-in window.\par
\par
If the prompt still comes back, create a new mail profile under \b Control Panel > Mail > Show Profiles > Add\b0  and make it the default.\par
}
',
'Outlook asks for the password again and again, although it is typed correctly. Webmail works with the same password.

The prompt is a small grey window without the company logo, not the usual sign-in page.',
'Outlook is using old saved credentials instead of the modern sign-in.

Step 1. Close Outlook.
Step 2. Open Control Panel > Credential Manager > Windows Credentials and remove every entry whose name starts with MicrosoftOffice.
Step 3. Start Outlook and sign in once in the new sign-in window.

If the prompt still comes back, create a new mail profile under Control Panel > Mail > Show Profiles > Add and make it the default.');
-- 7. User locked out after password change
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    7, 'Accounts', 'Marco Rossi', 'User locked out after password change', 'N/A', '04/02/2024', 'Dana Whitfield', '06/10/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 After changing the password, a user is \b locked out\b0  again within minutes, several times a day. Unlocking the account helps only for a short while.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset2 Symbol;}}
{\colortbl;\red192\green0\blue0;}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Something still signs in with the \b old password\b0  and fails until the account locks. The usual suspects:\par
\pard{\pntext\f1\''b7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\''b7}}\fi-360\li360 the company mail account on the user''s phone or tablet;\par
{\pntext\f1\''b7\tab}mapped drives or printers saved with the old credentials;\par
{\pntext\f1\''b7\tab}a second laptop that is still on and connected to the Wi-Fi;\par
{\pntext\f1\''b7\tab}a scheduled task or service running under the user''s name.\par
\pard\par
Unlock the account in \b Active Directory Users and Computers\b0. The security log of the domain controller (event \i 4740\i0) names the computer that caused the lock-out; update or remove the passwor
d there.\par
\par
\cf1\b Never\cf0\b0  ask users to tell you their new password.\par
}
',
'After changing the password, a user is locked out again within minutes, several times a day. Unlocking the account helps only for a short while.',
'Something still signs in with the old password and fails until the account locks. The usual suspects:
the company mail account on the user''s phone or tablet;
mapped drives or printers saved with the old credentials;
a second laptop that is still on and connected to the Wi-Fi;
a scheduled task or service running under the user''s name.

Unlock the account in Active Directory Users and Computers. The security log of the domain controller (event 4740) names the computer that caused the lock-out; update or remove the password there.

Never ask users to tell you their new password.');
-- 8. New starter cannot log on
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    8, 'Accounts', 'Marco Rossi', 'New starter cannot log on', 'N/A', '04/15/2024', 'N/A', '04/15/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 On the \b first morning\b0  a new employee sees the message \i Your account has been disabled. Please see your system administrator.\i0  at the log-on screen.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Accounts of new starters are created by the nightly import from the HR system and stay disabled until the contract start date. If that date was entered wrongly, the account is still disa
bled.\par
\par
\b Check:\b0  compare the start date in the HR system with the date the manager gives you.\par
\b Fix:\b0  enable the account by hand for today and ask HR to correct the date, otherwise the next import disables it again.\par
\par
\i Set a new initial password at the same time and give it to the user in person or by phone, never by email.\par
}
',
'On the first morning a new employee sees the message Your account has been disabled. Please see your system administrator. at the log-on screen.',
'Accounts of new starters are created by the nightly import from the HR system and stay disabled until the contract start date. If that date was entered wrongly, the account is still disabled.

Check: compare the start date in the HR system with the date the manager gives you.
Fix: enable the account by hand for today and ask HR to correct the date, otherwise the next import disables it again.

Set a new initial password at the same time and give it to the user in person or by phone, never by email.');
-- 9. Laptop does not charge
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    9, 'Hardware', 'Priya Nair', 'Laptop does not charge', 'https://support.example.com/kb/1009', '05/06/2024', 'N/A', '05/06/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 The \b charging light\b0  stays off when the power adapter is plugged in. The battery icon shows \i Plugged in, not charging\i0  or nothing at all.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}{\f2\fnil\fcharset2 Symbol;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Work through these checks in order and stop as soon as the laptop charges:\par
\pard{\pntext\f2\''b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\''b7}}\fi-360\li360 Try another adapter of the \b same wattage\b0  (65 W for the 14-inch models, 90 W for the 15-inch models).\par
{\pntext\f2\''b7\tab}Plug the adapter straight into the wall, not into the docking station or a power strip.\par
{\pntext\f2\''b7\tab}Shut down, hold the power button for 15 seconds, connect the adapter and start again.\par
{\pntext\f2\''b7\tab}Check the battery''s health with a battery report from a command prompt:\par
\pard\li600\f1 powercfg /batteryreport\par
\pard\par
\f0 A full charge capacity below half of the design capacity means the battery needs replacing. Otherwise book a repair of the charging port, and take a backup of the user''s files first.\par
}
',
'The charging light stays off when the power adapter is plugged in. The battery icon shows Plugged in, not charging or nothing at all.',
'Work through these checks in order and stop as soon as the laptop charges:
Try another adapter of the same wattage (65 W for the 14-inch models, 90 W for the 15-inch models).
Plug the adapter straight into the wall, not into the docking station or a power strip.
Shut down, hold the power button for 15 seconds, connect the adapter and start again.
Check the battery''s health with a battery report from a command prompt:
powercfg /batteryreport

A full charge capacity below half of the design capacity means the battery needs replacing. Otherwise book a repair of the charging port, and take a backup of the user''s files first.');
-- 10. Second monitor not detected
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    10, 'Hardware', 'Priya Nair', 'Second monitor not detected', 'N/A', '05/21/2024', 'Dana Whitfield', '05/22/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 With the laptop in its docking station, the \b second monitor\b0  stays black and shows \i No signal\i0. The first monitor and the laptop screen work.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset2 Symbol;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20\b Quick check:\b0  unplug the docking station''s power for ten seconds, plug it back in and wait until both monitors come on.\par
\par
\b If that does not help:\par
\pard{\pntext\f1\''b7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\''b7}}\fi-360\li360\b0 Update the docking station firmware (\i Dock firmware\i0  in the Software Center).\par
{\pntext\f1\''b7\tab}Update the display driver the same way.\par
{\pntext\f1\''b7\tab}Connect the monitor with DisplayPort instead of HDMI: some monitors only wake up on DisplayPort.\par
{\pntext\f1\''b7\tab}Press \b Win+Ctrl+Shift+B\b0  to restart the graphics driver; the screens flicker once.\par
}
',
'With the laptop in its docking station, the second monitor stays black and shows No signal. The first monitor and the laptop screen work.',
'Quick check: unplug the docking station''s power for ten seconds, plug it back in and wait until both monitors come on.

If that does not help:
Update the docking station firmware (Dock firmware in the Software Center).
Update the display driver the same way.
Connect the monitor with DisplayPort instead of HDMI: some monitors only wake up on DisplayPort.
Press Win+Ctrl+Shift+B to restart the graphics driver; the screens flicker once.');
-- 11. Spreadsheet opens read-only
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    11, 'Software', 'Dana Whitfield', 'Spreadsheet opens read-only', 'N/A', '06/03/2024', 'N/A', '06/03/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Opening the \b budget workbook\b0  from the shared drive shows \i Budget.xlsx is locked for editing by another user\i0, although nobody else has it open. The user can only open a read-on
ly copy.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}{\f2\fnil\fcharset2 Symbol;}}
{\colortbl;\red192\green0\blue0;}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Excel left its \b lock file\b0  behind after a crash. The lock file is hidden and has the workbook''s name with ~$ in front.\par
\pard{\pntext\f2\''b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\''b7}}\fi-360\li360 Make sure the person named in the message has really closed Excel. On the file server, \b Computer Management > Share
d Folders > Open Files\b0  shows who has the file open.\par
{\pntext\f2\''b7\tab}In the workbook''s folder, show hidden files and delete the lock file, for example:\par
\pard\li600\f1 S:\\Finance\\~$Budget.xlsx\par
\pard{\pntext\f2\''b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\''b7}}\fi-360\li360\f0 Open the workbook again.\par
\pard\par
\cf1\b Warning:\cf0\b0  \ul never\ulnone  delete the lock file while somebody is still working in the workbook: their changes would be lost.\par
}
',
'Opening the budget workbook from the shared drive shows Budget.xlsx is locked for editing by another user, although nobody else has it open. The user can only open a read-only copy.',
'Excel left its lock file behind after a crash. The lock file is hidden and has the workbook''s name with ~$ in front.
Make sure the person named in the message has really closed Excel. On the file server, Computer Management > Shared Folders > Open Files shows who has the file open.
In the workbook''s folder, show hidden files and delete the lock file, for example:
S:\Finance\~$Budget.xlsx
Open the workbook again.

Warning: never delete the lock file while somebody is still working in the workbook: their changes would be lost.');
-- 12. Accounting program closes at start after update
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    12, 'Software', 'Sam Okafor', 'Accounting program closes at start after update', 'N/A', '06/17/2024', 'Sam Okafor', '07/01/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Since the update to version 8.2, the accounting program closes right after its splash screen on some PCs. There is no error message.\par
\par
Only PCs with the \b invoice scanning add-in\b0  are affected.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}{\f2\fnil\fcharset2 Symbol;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 The old add-in (version 3) does not work with 8.2 and stops the program while it loads.\par
\pard{\pntext\f2\''b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\''b7}}\fi-360\li360 Uninstall \i Invoice Scan Add-in 3\i0  under \b Settings > Apps > Installed apps\b0.\par
{\pntext\f2\''b7\tab}Install version 4.1 of the add-in from the Software Center.\par
{\pntext\f2\''b7\tab}Start the accounting program once while the user is signed in, so that it registers the add-in.\par
\pard\par
If the program still closes, send the start-up log to the vendor''s support with the call:\par
\pard\li600\f1%APPDATA%\\Ledger\\logs\\startup.log\par
}
',
'Since the update to version 8.2, the accounting program closes right after its splash screen on some PCs. There is no error message.

Only PCs with the invoice scanning add-in are affected.',
'The old add-in (version 3) does not work with 8.2 and stops the program while it loads.
Uninstall Invoice Scan Add-in 3 under Settings > Apps > Installed apps.
Install version 4.1 of the add-in from the Software Center.
Start the accounting program once while the user is signed in, so that it registers the add-in.

If the program still closes, send the start-up log to the vendor''s support with the call:
%APPDATA%\Ledger\logs\startup.log');
-- 13. Desk phone shows No Service
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    13, 'Telephony', 'Lea Brandt', 'Desk phone shows No Service', 'https://support.example.com/kb/1013', '07/08/2024', 'Dana Whitfield', '07/09/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 The desk phone shows \b No Service\b0  and there is no dial tone. The PC that is connected through the phone still has network.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset2 Symbol;}}
{\colortbl;\red192\green0\blue0;}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\qc\f0\fs20\cf1\b Emergency calls are not possible while the phone shows No Service.\par
\pard\par
\cf0\b0 Give the user a mobile phone or a spare desk phone until the phone works again.\par
\par
Usually the phone lost its registration after a power cut or a move to another desk:\par
\pard{\pntext\f1\''b7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\''b7}}\fi-360\li360 Unplug the network cable from the phone, wait ten seconds and plug it in again. The phone restarts and registers (abo
ut two minutes).\par
{\pntext\f1\''b7\tab}If it still shows No Service, check in the telephony portal that the extension is assigned to the phone''s MAC address. The address is on the sticker under the phone.\par
}
',
'The desk phone shows No Service and there is no dial tone. The PC that is connected through the phone still has network.',
'Emergency calls are not possible while the phone shows No Service.

Give the user a mobile phone or a spare desk phone until the phone works again.

Usually the phone lost its registration after a power cut or a move to another desk:
Unplug the network cable from the phone, wait ten seconds and plug it in again. The phone restarts and registers (about two minutes).
If it still shows No Service, check in the telephony portal that the extension is assigned to the phone''s MAC address. The address is on the sticker under the phone.');
-- 14. Voicemail PIN forgotten
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    14, 'Telephony', 'Marco Rossi', 'Voicemail PIN forgotten', 'N/A', '07/22/2024', 'N/A', '07/22/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 A user has forgotten the \b voicemail PIN\b0  and cannot listen to messages.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Reset the PIN in the telephony portal under \b Users > (name) > Voicemail > Reset PIN\b0. The portal shows a temporary PIN of six digits.\par
\par
Tell the user the temporary PIN \b by phone\b0, not by email or chat. On the first call to voicemail the user must choose a new PIN.\par
\par
\i Simple PINs such as 123456 or the user''s extension number are refused.\par
}
',
'A user has forgotten the voicemail PIN and cannot listen to messages.',
'Reset the PIN in the telephony portal under Users > (name) > Voicemail > Reset PIN. The portal shows a temporary PIN of six digits.

Tell the user the temporary PIN by phone, not by email or chat. On the first call to voicemail the user must choose a new PIN.

Simple PINs such as 123456 or the user''s extension number are refused.');
-- 15. Shared drive missing after logon
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    15, 'Network', 'Priya Nair', 'Shared drive missing after logon', 'N/A', '08/05/2024', 'N/A', '08/05/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 The \b S: drive\b0  does not appear after logging on in the office. The other network drives are there.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Drive mappings come from group policy, which may not have been applied if the laptop started before it was on the office network. Open a command prompt and run:\par
\pard\li600\f1 gpupdate /force\par
\pard\f0 Then log off and on again.\par
\par
If S: is still missing, map it by hand: \b File Explorer > This PC > Map network drive\b0, drive \b S:\b0, folder\par
\pard\li600\f1\\\\fileserver\\shared\par
\pard\f0 and tick \b Reconnect at sign-in\b0.\par
}
',
'The S: drive does not appear after logging on in the office. The other network drives are there.',
'Drive mappings come from group policy, which may not have been applied if the laptop started before it was on the office network. Open a command prompt and run:
gpupdate /force
Then log off and on again.

If S: is still missing, map it by hand: File Explorer > This PC > Map network drive, drive S:, folder
\\fileserver\shared
and tick Reconnect at sign-in.');
-- 16. Browser shows certificate error for the intranet
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    16, 'Software', 'Priya Nair', 'Browser shows certificate error for the intranet', 'N/A', '08/19/2024', 'Dana Whitfield', '08/20/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Opening the intranet shows \i Your connection isn''t private\i0  (NET::ERR_CERT_DATE_INVALID) on \b one laptop only\b0. Other sites show the same warning.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset2 Symbol;}}
{\colortbl;\red192\green0\blue0;}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 The laptop''s clock is wrong, usually after it was switched off for weeks. Certificates look expired or not yet valid.\par
\pard{\pntext\f1\''b7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\''b7}}\fi-360\li360 Open \b Settings > Time & language > Date & time\b0.\par
{\pntext\f1\''b7\tab}Turn on \b Set time automatically\b0  and choose \b Sync now\b0.\par
{\pntext\f1\''b7\tab}Reload the page.\par
\pard\par
\cf1\b Do not\cf0\b0  tell users to click \i Continue to site\i0: the same warning appears when a site really is fake.\par
}
',
'Opening the intranet shows Your connection isn''t private (NET::ERR_CERT_DATE_INVALID) on one laptop only. Other sites show the same warning.',
'The laptop''s clock is wrong, usually after it was switched off for weeks. Certificates look expired or not yet valid.
Open Settings > Time & language > Date & time.
Turn on Set time automatically and choose Sync now.
Reload the page.

Do not tell users to click Continue to site: the same warning appears when a site really is fake.');
-- 17. Restoring an overwritten file on the shared drive
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    17, 'Network', 'Sam Okafor', 'Restoring an overwritten file on the shared drive', 'N/A', '09/02/2024', 'Priya Nair', '09/16/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 A user saved over a \b Word document\b0  on the shared drive by mistake and needs the version from yesterday.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}{\f2\fnil\fcharset2 Symbol;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\qc\f0\fs24\b Previous versions are kept for 30 days\par
\pard\par
\pard{\pntext\f2\''b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\''b7}}\fi-360\li360\fs20\b0 In File Explorer, right-click the file and choose \b Properties > Previous Versions\b0.\par
{\pntext\f2\''b7\tab}Pick the version from the right day and choose \b Restore > Restore to\b0, so that it is saved as a copy beside the current file.\par
{\pntext\f2\''b7\tab}Ask the user to check the copy before anything is deleted.\par
\pard\par
Older versions are only on the \b nightly backup\b0. Open a restore request with the full path of the file and the last date it was right, for example:\par
\pard\li600\f1\\\\fileserver\\shared\\Sales\\Offers\\2024\\Offer-1187.docx\par
\pard\par
\f0\i Restores from the backup take up to two working days.\par
}
',
'A user saved over a Word document on the shared drive by mistake and needs the version from yesterday.',
'Previous versions are kept for 30 days

In File Explorer, right-click the file and choose Properties > Previous Versions.
Pick the version from the right day and choose Restore > Restore to, so that it is saved as a copy beside the current file.
Ask the user to check the copy before anything is deleted.

Older versions are only on the nightly backup. Open a restore request with the full path of the file and the last date it was right, for example:
\\fileserver\shared\Sales\Offers\2024\Offer-1187.docx

Restores from the backup take up to two working days.');
-- 18. Company email on a new smartphone
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    18, 'Telephony', 'Marco Rossi', 'Company email on a new smartphone', 'N/A', '09/23/2024', 'N/A', '09/23/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 A user has a new smartphone and wants company \b email, calendar and contacts\b0  on it.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset2 Symbol;}}
{\colortbl;\red192\green0\blue0;}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Phones must be enrolled in device management before they can receive company data.\par
\par
\b iPhone and Android:\par
\pard{\pntext\f1\''b7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\''b7}}\fi-360\li360\b0 Install the \i Company Portal\i0  app and sign in with the work account.\par
{\pntext\f1\''b7\tab}Accept the device policy: a screen lock of at least six digits and encryption are required.\par
{\pntext\f1\''b7\tab}Install Outlook from the portal and add the work account.\par
\pard\par
Settings for other mail apps (not supported, for reference only):\par
\pard\li600 Server: mail.example.com\line Port: 443 (SSL)\line User name: the full email address\par
\pard\par
\cf1\b Note:\cf0\b0  a phone that has not contacted the server for 90 days is removed, and the company data on it is wiped.\par
}
',
'A user has a new smartphone and wants company email, calendar and contacts on it.',
'Phones must be enrolled in device management before they can receive company data.

iPhone and Android:
Install the Company Portal app and sign in with the work account.
Accept the device policy: a screen lock of at least six digits and encryption are required.
Install Outlook from the portal and add the work account.

Settings for other mail apps (not supported, for reference only):
Server: mail.example.com
Port: 443 (SSL)
User name: the full email address

Note: a phone that has not contacted the server for 90 days is removed, and the company data on it is wiped.');
-- 19. Recovering a Word document that was not saved
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    19, 'Software', 'Lea Brandt', 'Recovering a Word document that was not saved', 'N/A', '10/07/2024', 'N/A', '10/07/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Word closed unexpectedly, or the user clicked \i Don''t Save\i0  by mistake, and \b an afternoon''s work\b0  is missing.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Word keeps an AutoRecover copy of open documents every ten minutes.\par
\par
Open Word and choose \b File > Info > Manage Document > Recover Unsaved Documents\b0. Open the newest copy in the folder that appears and save it under a new name straight away.\par
\par
The copies are kept in this folder for four days:\par
\pard\li600\f1%LOCALAPPDATA%\\Microsoft\\Office\\UnsavedFiles\par
\pard\par
\f0\i Tip: documents stored in OneDrive with AutoSave switched on do not need this: use File > Info > Version History instead.\par
}
',
'Word closed unexpectedly, or the user clicked Don''t Save by mistake, and an afternoon''s work is missing.',
'Word keeps an AutoRecover copy of open documents every ten minutes.

Open Word and choose File > Info > Manage Document > Recover Unsaved Documents. Open the newest copy in the folder that appears and save it under a new name straight away.

The copies are kept in this folder for four days:
%LOCALAPPDATA%\Microsoft\Office\UnsavedFiles

Tip: documents stored in OneDrive with AutoSave switched on do not need this: use File > Info > Version History instead.');
-- 20. Laptops do not join the office Wi-Fi after the key change
INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Problem, Solution, ProblemText, SolutionText) VALUES (
    20, 'Network', 'Lea Brandt', 'Laptops do not join the office Wi-Fi after the key change', 'N/A', '10/21/2024', 'Sam Okafor', '10/22/2024',
    'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A', 'N/A',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 After the yearly change of the \b office Wi-Fi\b0  key, some laptops no longer connect to \i Office-WLAN\i0. Windows only says \i Can''t connect to this network\i0.\par
\par
Laptops that were in the office on the day of the change are fine.\par
}
',
'{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}{\f2\fnil\fcharset2 Symbol;}}
{\colortbl;\red192\green0\blue0;}
{\*\generator Quorvel;}\viewkind4\uc1
\pard\f0\fs20 Windows keeps trying the old key and does not ask for the new one.\par
\pard{\pntext\f2\''b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\''b7}}\fi-360\li360 Click the Wi-Fi icon in the taskbar, right-click \b Office-WLAN\b0  and choose \b Forget\b0.\par
{\pntext\f2\''b7\tab}Connect again and type the new key from the notice on the intranet.\par
\pard\par
Without the taskbar menu, remove the saved network from a command prompt:\par
\pard\li600\f1 netsh wlan delete profile name="Office-WLAN"\par
\pard\par
\f0\cf1\b Important:\cf0\b0  do not send the Wi-Fi key by email to external addresses.\par
}
',
'After the yearly change of the office Wi-Fi key, some laptops no longer connect to Office-WLAN. Windows only says Can''t connect to this network.

Laptops that were in the office on the day of the change are fine.',
'Windows keeps trying the old key and does not ask for the new one.
Click the Wi-Fi icon in the taskbar, right-click Office-WLAN and choose Forget.
Connect again and type the new key from the notice on the intranet.

Without the taskbar menu, remove the saved network from a command prompt:
netsh wlan delete profile name="Office-WLAN"

Important: do not send the Wi-Fi key by email to external addresses.');
-- The writer ends its lines with CR LF; this file keeps LF only, so add the CRs here.
UPDATE QV SET Problem = replace(Problem, char(10), char(13) || char(10)),
              Solution = replace(Solution, char(10), char(13) || char(10));
-- The sample begins without earlier versions.
DELETE FROM QVHistory;
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
