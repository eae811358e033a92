#include "support/Mp3Recipes.h"

namespace {
QByteArray Latin1Field(const QString& text, int size) {
    QByteArray field = text.toLatin1().left(size);
    field.append(QByteArray(size - field.size(), '\0'));
    return field;
}

QByteArray BigEndian32(uint32_t v) {
    QByteArray b(4, '\0');
    b[0] = char(v >> 24);
    b[1] = char(v >> 16);
    b[2] = char(v >> 8);
    b[3] = char(v);
    return b;
}

QByteArray SyncSafe(uint32_t v) {
    QByteArray b(4, '\0');
    b[0] = char((v >> 21) & 0x7f);
    b[1] = char((v >> 14) & 0x7f);
    b[2] = char((v >> 7) & 0x7f);
    b[3] = char(v & 0x7f);
    return b;
}
}  // namespace

QByteArray MakeMp3(const Mp3Recipe& recipe) {
    QByteArray out;
    if (!recipe.v2.empty()) {
        QByteArray frames;
        for (const auto& [id, text] : recipe.v2) {
            QByteArray data(1, '\0');  // encoding 0
            if (id == "COMM") data += QByteArray("eng") + QByteArray(1, '\0');
            data += text.toLatin1();
            frames += id + BigEndian32(static_cast<uint32_t>(data.size())) + QByteArray(2, '\0') + data;
        }
        frames += QByteArray(64, '\0');  // padding
        out += QByteArray("ID3") + char(3) + char(0) + char(0) + SyncSafe(static_cast<uint32_t>(frames.size()));
        out += frames;
    }
    // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, joint stereo: 417-byte frames.
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0x64);
    for (int i = 0; i < recipe.frames; ++i) out += frame;
    if (recipe.v1) {
        QByteArray tag("TAG");
        tag += Latin1Field(recipe.v1Title, 30) + Latin1Field(recipe.v1Artist, 30) + Latin1Field(recipe.v1Album, 30);
        tag += Latin1Field(recipe.v1Year, 4);
        tag += Latin1Field(recipe.v1Comment, 28);
        tag += char(0);
        tag += char(recipe.v1Track);
        tag += char(recipe.v1Genre);
        out += tag;
    }
    return out;
}
