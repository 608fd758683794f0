#pragma once

class QTextDocument;
struct KeptVersion;

// A kept version laid out for reading: its one-line fields, then Problem and Solution
// with their formatting.
namespace VersionDocument {

void fill(QTextDocument& document, const KeptVersion& version);

} // namespace VersionDocument
