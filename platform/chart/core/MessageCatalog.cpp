#include <tarquel_1_0/MessageCatalog.h>

#include <VORN_2_9/varg_list.h>

#include <fstream>
#include <map>
#include <mutex>
#include <string>

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace tarquel_1_0 {

namespace {

// Every text of the registered catalogs by key; the one process-wide table that
// registerMessageCatalog fills.
class CatalogTable {
public:
    static CatalogTable& instance()
    {
        static CatalogTable table;
        return table;
    }

    bool load(const wxString& path)
    {
        std::ifstream in(path.fn_str());
        if (!in)
            return false;
        std::map<wxString, wxString> texts;
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] != '%')
                continue; // comments and blank lines
            const std::string::size_type equals = line.find(" = ");
            if (equals == std::string::npos)
                continue;
            texts[wxString::FromUTF8(line.substr(0, equals))] = unescape(wxString::FromUTF8(line.substr(equals + 3)));
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto& entry : texts)
            m_texts[entry.first] = entry.second;
        return true;
    }

    bool find(const wxString& key, wxString& text) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_texts.find(key);
        if (found == m_texts.end())
            return false;
        text = found->second;
        return true;
    }

private:
    static wxString unescape(const wxString& raw)
    {
        wxString text;
        for (size_t i = 0; i < raw.length(); ++i) {
            if (raw[i] == '\\' && i + 1 < raw.length()) {
                ++i;
                text << (raw[i] == 'n' ? wxString("\n") : wxString(raw[i]));
            } else {
                text << raw[i];
            }
        }
        return text;
    }

    mutable std::mutex m_mutex;
    std::map<wxString, wxString> m_texts;
};

bool isDataDirectory(const wxString& dir)
{
    return wxFileName::DirExists(dir + "/catalogs") && wxFileName::DirExists(dir + "/icons");
}

} // namespace

wxString getDataDirectory()
{
    wxString fromEnvironment;
    if (wxGetEnv("VELMORA_DATA_DIR", &fromEnvironment) && !fromEnvironment.empty())
        return fromEnvironment;
    wxFileName dir(wxStandardPaths::Get().GetExecutablePath());
    for (int up = 0; up < 6 && dir.GetDirCount() > 0; ++up) {
        const wxString candidate = dir.GetPath() + "/data";
        if (isDataDirectory(candidate))
            return candidate;
        dir.RemoveLastDir();
    }
    return "data";
}

bool registerMessageCatalog(const wxString& name)
{
    return CatalogTable::instance().load(getDataDirectory() + "/catalogs/" + name + ".txt");
}

wxString getString(const wxString& key)
{
    wxString text;
    return CatalogTable::instance().find(key, text) ? text : key;
}

wxString getString(const wxString& key, const VORN_2_9::generic::varg_list& args)
{
    wxString text;
    if (!CatalogTable::instance().find(key, text))
        return key;
    return args.empty() ? text : wxString(args.format(text.ToStdWstring()));
}

} // namespace tarquel_1_0
