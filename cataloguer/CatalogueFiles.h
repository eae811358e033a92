#pragma once
// The files a catalogue leaves on disk: one file per page, named after the
// output name and the page number, the copy of a local background picture
// beside them, and the preview file.
//
// Everything here follows the output type the catalogue was built with, not
// the window's option of the moment: a text catalogue is saved and
// previewed as ".txt" even when HTML output has been chosen since, and an
// HTML one under the HTML extension.
//
// A page file replaces an existing one safely: the new text goes to a
// temporary file beside it and is renamed over it, so a failed write leaves
// the old page whole.  With the recycle-bin preference on, the old page goes
// to the trash first, and only after the new one is ready.  A read-only page
// is never replaced.
//
// A local background picture is copied into the "Images" folder beside the
// pages (made when missing), and the page's body tag is pointed at
// "Images/<name>", so the saved pages show it wherever they are moved with
// their folder.  Pages are written as UTF-8 with the CR LF line ends the page
// writers make.

#include "cataloguer/Catalogue.h"

#include <QByteArray>
#include <QString>

// "txt" for a text catalogue, `htmlExtension` for an HTML one.
QString CatalogueFileExtension(CatalogueOutput output, const QString& htmlExtension);

// Whether a background picture setting names a local file: a path with a
// folder part and a file name, not a web address.
bool IsLocalBackgroundImage(const QString& image);

// The relative address of a copied background picture: "Images/" and its
// file name, percent-encoded as a link.
QString CopiedBackgroundLink(const QString& image);

// The page with the background attribute of its body tag naming `link`
// instead of `image`; the page as it is when its body tag does not name
// `image` (a text page, or a page made before the setting changed).
QString RelinkBackgroundImage(const QString& page, const QString& image, const QString& link);

// Copies the picture `image` to `folder`/Images/<its name>, making the
// "Images" folder when it is missing and replacing an older copy.  Failures
// are raised (a missing picture as error 53).
void CopyBackgroundImage(const QString& folder, const QString& image);

enum class PageFileResult { Written, ReadOnly };
// Writes `text` to `folder`/`fileName` (see above).  ReadOnly, and nothing
// written, when a read-only file of that name is there; other failures are
// raised with the path in the trail.
PageFileResult WriteCataloguePageFile(const QString& folder, const QString& fileName, const QString& text,
                                      bool useRecycleBin);
