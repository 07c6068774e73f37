#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>

#include <vector>

// The pages of a PDF file as Qt's PDF writer writes it (plain objects, each
// page's drawing in one Flate stream), for the print tests.

namespace pdf_pages {

// The body of object `number`, from its "obj" to its "endobj".
inline QByteArray Object(const QByteArray& pdf, int number)
{
    const QRegularExpression start(QStringLiteral("(^|\\s)%1 0 obj").arg(number));
    const QRegularExpressionMatch match = start.match(QString::fromLatin1(pdf));
    if (!match.hasMatch())
        return {};
    const qsizetype from = match.capturedEnd();
    return pdf.mid(from, pdf.indexOf("endobj", from) - from);
}

inline int Reference(const QByteArray& dictionary, const char* key)
{
    const QRegularExpression reference(QStringLiteral("%1\\s+(\\d+) 0 R").arg(QLatin1StringView(key)));
    const QRegularExpressionMatch match = reference.match(QString::fromLatin1(dictionary));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The drawing operators of one page's content stream, inflated.
inline QByteArray Contents(const QByteArray& pdf, const QByteArray& page)
{
    const QByteArray object = Object(pdf, Reference(page, "/Contents"));
    const qsizetype streamAt = object.indexOf("stream");
    if (streamAt < 0)
        return {};
    qsizetype from = streamAt + 6;
    while (from < object.size() && (object[from] == '\r' || object[from] == '\n'))
        ++from;
    QByteArray data = object.mid(from, object.lastIndexOf("endstream") - from);
    if (!object.left(streamAt).contains("/FlateDecode"))
        return data;
    // qUncompress wants the expected size in front; it grows past a short guess.
    data.prepend(QByteArray("\x00\x10\x00\x00", 4));
    return qUncompress(data);
}

}  // namespace pdf_pages

// Each page's drawing operators, inflated, in page order.
inline std::vector<QByteArray> PdfPageContents(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = in.readAll();
    const QRegularExpression kids(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"));
    const QRegularExpressionMatch listed = kids.match(QString::fromLatin1(pdf));
    std::vector<QByteArray> pages;
    if (!listed.hasMatch())
        return pages;
    const QRegularExpression reference(QStringLiteral("(\\d+) 0 R"));
    for (const QRegularExpressionMatch& kid : reference.globalMatch(listed.captured(1))) {
        const QByteArray page = pdf_pages::Object(pdf, kid.captured(1).toInt());
        pages.push_back(pdf_pages::Contents(pdf, page));
    }
    return pages;
}
