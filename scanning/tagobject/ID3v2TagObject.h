#pragma once
// The program's handle on the tag library's one tag object (clsID3v2).  It
// owns one reference to the object and turns the object's last error into the
// program's SvError, so callers use the error trail as everywhere else.  An
// empty handle (the library could not be loaded) raises error 91 on every
// use, as a call through an unset object reference does.

#include "foundation/Errors.h"
#include "foundation/NativePath.h"
#include "quillmark/Quillmark.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <utility>
#include <vector>

class ID3v2TagObject {
public:
    ID3v2TagObject() noexcept = default;
    // Takes over a reference the caller holds.
    explicit ID3v2TagObject(quillmark::_clsID3v2* adopted) noexcept : m_object(adopted) {}
    ~ID3v2TagObject() { reset(); }
    ID3v2TagObject(const ID3v2TagObject&) = delete;
    ID3v2TagObject& operator=(const ID3v2TagObject&) = delete;
    ID3v2TagObject(ID3v2TagObject&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ID3v2TagObject& operator=(ID3v2TagObject&& other) noexcept {
        if (this != &other) {
            reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }

    // Drops the reference (the object is released); the handle becomes empty.
    void reset() noexcept {
        if (m_object) std::exchange(m_object, nullptr)->Release();
    }
    bool isSet() const noexcept { return m_object != nullptr; }

    bool HasTag() const { return object().HasTag(); }
    void ReadTag(const QString& a_sfile) { check(object().ReadTag(FileSystemPath(a_sfile))); }
    // ReadTag from the file's first bytes when they hold the whole tag (the
    // file is read only when they do not).
    void ReadTagFromBytes(const QString& a_sfile, const char* bytes, qsizetype length) {
        check(object().ReadTagFromBytes(FileSystemPath(a_sfile), reinterpret_cast<const uint8_t*>(bytes),
                                        length > 0 ? static_cast<size_t>(length) : 0));
    }
    // The tag WriteTag would write, without touching any file.
    QByteArray RenderTag() {
        std::vector<uint8_t> bytes;
        check(object().RenderTag(bytes));
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    }
    void WriteTag(const QString& a_sfile, bool a_bIgnoreReadOnly = true) {
        check(object().WriteTag(FileSystemPath(a_sfile), a_bIgnoreReadOnly));
    }
    void RemoveTag(const QString& a_sfile, bool a_bIgnoreReadOnly = true) {
        check(object().RemoveTag(FileSystemPath(a_sfile), a_bIgnoreReadOnly));
    }
    QString GetFrameValue(quillmark::eID3FrameIDs a_eFrameID) {
        std::string value;
        check(object().GetFrameValue(a_eFrameID, value));
        return QString::fromStdString(value);
    }
    void SetFrameValue(quillmark::eID3FrameIDs a_eFrameID, const QString& a_sData) {
        check(object().SetFrameValue(a_eFrameID, a_sData.toStdString()));
    }

    // The library's last error as the program's error.
    static SvError ToSvError(const quillmark::ErrorInfo& e) {
        return SvError(e.number, QString::fromStdString(e.source), QString::fromStdString(e.description));
    }

private:
    quillmark::_clsID3v2& object() const {
        if (!m_object) RaiseError(ErrNo::ObjectNotSet);
        return *m_object;
    }
    void check(quillmark::Status status) const {
        if (status != quillmark::S_Ok) throw ToSvError(m_object->LastError());
    }
    static std::string FileSystemPath(const QString& path) { return ::NativePath(path).toStdString(); }

    quillmark::_clsID3v2* m_object = nullptr;
};
