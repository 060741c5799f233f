// The resizer gallery: every control with a property handler on one panel, to resize by hand.
#include "framework/Application.h"
#include "tools/gallery/Gallery.h"

int main(int argc, char** argv)
{
    framework::Application application(argc, argv);
    application.Initialize();
    TGalleryForm* form = nullptr;
    application.CreateForm(form);
    return application.Run();
}
