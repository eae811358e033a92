#include "scanning/tagobject/QuillmarkLoader.h"

#include "foundation/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <dlfcn.h>

namespace {

const QString kSource = QStringLiteral("QuillmarkLoader");

QStringList g_testFolders;
QString g_loadedPath;

// Libraries stay loaded for the rest of the run: objects made from them may
// live until the program ends.
QHash<QString, QmDllGetClassObjectFn>& Loaded() {
    static QHash<QString, QmDllGetClassObjectFn> loaded;
    return loaded;
}

QmDllGetClassObjectFn LoadFactoryEntry(const QString& path) {
    if (auto it = Loaded().constFind(path); it != Loaded().constEnd()) return *it;
    void* handle = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        throw SvError(ErrNo::ErrorLoadingLibrary, kSource,
                      QStringLiteral("Error in loading shared library %1 (%2)")
                          .arg(path, QString::fromLocal8Bit(why ? why : "unknown reason")));
    }
    auto entry = reinterpret_cast<QmDllGetClassObjectFn>(::dlsym(handle, "DllGetClassObject"));
    if (!entry) {
        ::dlclose(handle);
        throw SvError(ErrNo::LibraryFunctionNotFound, kSource,
                      QStringLiteral("Specified library function not found (DllGetClassObject in %1)").arg(path));
    }
    Loaded().insert(path, entry);
    return entry;
}

}  // namespace

namespace QuillmarkLoader {

QString LibraryFileName() { return QStringLiteral("libquillmark.so"); }

QStringList SearchFolders() {
    if (!g_testFolders.isEmpty()) return g_testFolders;
    return {AppPath()};
}

QString LoadedPath() { return g_loadedPath; }

void SetSearchFoldersForTesting(const QStringList& folders) { g_testFolders = folders; }

}  // namespace QuillmarkLoader

ID3v2TagObject CreateQuillmarkTagObject() {
    QString path;
    QStringList tried;
    for (const QString& folder : QuillmarkLoader::SearchFolders()) {
        const QString candidate = QDir(folder).filePath(QuillmarkLoader::LibraryFileName());
        if (QFileInfo(candidate).isFile()) {
            path = candidate;
            break;
        }
        tried << candidate;
    }
    if (path.isEmpty())
        throw SvError(ErrNo::FileNotFound, kSource,
                      StandardErrorText(ErrNo::FileNotFound) + QStringLiteral(" (") +
                          tried.join(QStringLiteral(", ")) + QLatin1Char(')'));

    const QmDllGetClassObjectFn getClassObject = LoadFactoryEntry(path);
    void* factoryPointer = nullptr;
    const quillmark::Status got =
        getClassObject(&quillmark::CLSID_clsID3v2, &quillmark::IID_IQmClassFactory, &factoryPointer);
    if (got != quillmark::S_Ok || !factoryPointer)
        throw SvError(got ? got : ErrNo::InvalidCall, kSource,
                      StandardErrorText(got ? got : ErrNo::InvalidCall) +
                          QStringLiteral(" (clsID3v2 from %1)").arg(path));
    auto* factory = static_cast<quillmark::IQmClassFactory*>(factoryPointer);
    void* objectPointer = nullptr;
    const quillmark::Status made = factory->CreateInstance(quillmark::IID__clsID3v2, &objectPointer);
    if (made != quillmark::S_Ok || !objectPointer) {
        const SvError error = ID3v2TagObject::ToSvError(factory->LastError());
        factory->Release();
        throw error;
    }
    factory->Release();
    g_loadedPath = path;
    return ID3v2TagObject(static_cast<quillmark::_clsID3v2*>(objectPointer));
}
