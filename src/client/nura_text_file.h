#pragma once

#include <QFile>
#include <QString>

// A buffered line reader for the 8-bit text files the server writes (report
// results): lines end at LF, CR bytes are dropped wherever they stand, and
// each line is decoded from the code page with its escapes.
class NuraTextFile
{
public:
    // Eof() is true at once when the file cannot be opened.
    explicit NuraTextFile(const QString& fileName);

    QString ReadLine();
    bool Eof() const { return m_eof; }
    qint64 FileSize() const { return m_fileSize; }
    void Close();

private:
    bool Refill();

    static constexpr qsizetype kBlockSize = 5000;

    QFile m_file;
    bool m_eof = true;
    qint64 m_fileSize = 0;
    QByteArray m_block;
    QByteArray m_line; // kept between lines so that its capacity is reused
    qsizetype m_positionInBlock = 0;
    bool m_lastBlockFull = true;
};
