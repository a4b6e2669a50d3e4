// Writing menu pictures to the stage.
#include "tools/datagen/content/MenuPictures.h"

#include "tools/datagen/DataStage.h"
#include "tools/formats/ImageWriters.h"

namespace KorvaneTools
{
std::string OpacityPath(const std::string& path)
{
    return path.substr(0, path.rfind('.')) + "_alpha.jpg";
}

void AddMenuPicture(DataStage& stage, const MenuPicture& picture)
{
    switch (picture.file)
    {
    case PictureFile::Jpeg:
        stage.Add(picture.path, WriteJpeg(picture.picture));
        break;
    case PictureFile::JpegWithOpacity:
        stage.Add(picture.path, WriteJpeg(picture.picture));
        if (picture.sharedOpacity.empty())
            stage.Add(OpacityPath(picture.path), WriteJpegAlpha(picture.picture));
        break;
    case PictureFile::Tga:
        stage.Add(picture.path, WriteTga(picture.picture));
        break;
    }
}
}
