#pragma once

class Connection;
class QString;

// Signs the versions this connection keeps with a login name instead of the Edited By
// field. The history's triggers live in the file and cannot know who is logged in, so the
// name is held in a table of this connection only, and a trigger of this connection only
// writes it into each version kept; other programs sharing the file are not affected.
namespace HistoryLogin {

// From now on the versions this connection keeps are signed with the name. Nothing
// happens on a database without history.
void sign(Connection& db, const QString& loginName);

} // namespace HistoryLogin
