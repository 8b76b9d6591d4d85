#include <tarquel_1_0/Images.h>

#include <tarquel_1_0/MessageCatalog.h>

#include <wx/filename.h>

namespace tarquel_1_0 {

wxImage loadImage(const wxString& name, bool maskTopLeft)
{
    const wxString path = getDataDirectory() + "/icons/" + name;
    if (!wxFileName::FileExists(path))
        return wxImage();
    wxImage image(path, wxBITMAP_TYPE_ANY);
    if (image.IsOk() && maskTopLeft)
        image.SetMaskColour(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
    return image;
}

wxImage createFilledImage(const wxImage& image, const wxColour& from, const wxColour& to)
{
    if (!image.IsOk())
        return wxImage();
    wxImage filled = image.Copy();
    const bool alpha = filled.HasAlpha();
    for (int y = 0; y < filled.GetHeight(); ++y) {
        for (int x = 0; x < filled.GetWidth(); ++x) {
            if (filled.GetRed(x, y) != from.Red() || filled.GetGreen(x, y) != from.Green()
                || filled.GetBlue(x, y) != from.Blue())
                continue;
            filled.SetRGB(x, y, to.Red(), to.Green(), to.Blue());
            if (alpha)
                filled.SetAlpha(x, y, to.Alpha());
        }
    }
    return filled;
}

} // namespace tarquel_1_0
