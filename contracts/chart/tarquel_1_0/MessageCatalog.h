#pragma once
// User-visible texts by key. A key begins with "%" ("%Zoom_undo"); registerMessageCatalog loads
// the catalog file <name>.txt from the data directory's catalogs/ folder, and getString looks a key
// up in every registered catalog (the later registration wins), substituting "%1", "%2", ... from
// the arguments. An unknown key comes back as the key itself. Thread-safe.
//
// Catalog files are UTF-8 lines "%Key = text"; "#" starts a comment line, "\n" in a text is a line
// break and "\\" a backslash.
#include <chart_export.h>

#include <wx/string.h>

namespace VORN_2_9::generic { class varg_list; }

namespace tarquel_1_0 {

// False (and nothing changes) when the catalog file cannot be read.
TARQUEL_API bool registerMessageCatalog(const wxString& name);
TARQUEL_API wxString getString(const wxString& key);
TARQUEL_API wxString getString(const wxString& key, const VORN_2_9::generic::varg_list& args);

// Where data files (catalogs/, icons/) are found: $VELMORA_DATA_DIR, else the data/ folder found
// next to or above the running program, else "data".
TARQUEL_API wxString getDataDirectory();

} // namespace tarquel_1_0
