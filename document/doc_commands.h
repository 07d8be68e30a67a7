#pragma once

class CCommandTable;
class CVarnelDoc;

// Binds the document's own commands (ranges, pulses, mouse modes, cursors, lines and display modes)
// to their ids, with the rules for their check marks and enabling.
void registerDocumentCommands(CCommandTable& table, CVarnelDoc& doc);
