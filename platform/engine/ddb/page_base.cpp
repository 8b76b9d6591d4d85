#include <ddb_2_2/page_base.h>

namespace ddb_2_2 {

spare_items::~spare_items() = default;

page_base::~page_base() = default;

string page_base::get_file_path(const string& saveDir) const
{
    return saveDir + string(L"//") + m_name + string(L".ddb");
}

}  // namespace ddb_2_2
