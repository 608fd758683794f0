#pragma once

class Connection;

// The one schema upgrade of the article database, run once per start after the connection
// is open: a database whose query Categories2 cannot resolve RecordID has the old
// Categories layout and gains the automatic-number primary key RecordID. Every error of
// the probe and of the upgrade is ignored; the next start finds nothing to do.
class SchemaUpgrade
{
public:
    static void probeAndUpgrade(Connection& connection);
};
