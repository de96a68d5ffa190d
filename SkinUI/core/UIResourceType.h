#pragma once
// Where a window's skin comes from.
namespace SkinUI {

enum class UIResourceType : int {
  File = 1,             // plain files under the resource path
  Archive = 2,          // an archive file under the resource path
  Resource = 3,         // program resources of type "xml"
  ArchiveResource = 4,  // the 7z archive held in a program resource ("ZIPRES")
};

}  // namespace SkinUI
