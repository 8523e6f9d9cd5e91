#include "client/nura_text_file.h"

#include "client/ansi_codec.h"

NuraTextFile::NuraTextFile(const QString& fileName) : m_file(fileName)
{
    // Read-only is enough here: the file is the server's result, and another
    // program may have it open at the same time.
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    m_fileSize = m_file.size();
    m_eof = !Refill();
}

// Loads the next block; false at the end of the data. A short block means
// the file is used up.
bool NuraTextFile::Refill()
{
    if (!m_lastBlockFull || !m_file.isOpen())
        return false;
    m_block = m_file.read(kBlockSize);
    m_positionInBlock = 0;
    m_lastBlockFull = m_block.size() == kBlockSize;
    return !m_block.isEmpty();
}

QString NuraTextFile::ReadLine()
{
    QByteArray line;
    while (!m_eof) {
        if (m_positionInBlock >= m_block.size() && !Refill()) {
            m_eof = true;
            break;
        }
        const char byte = m_block.at(m_positionInBlock++);
        if (byte == '\n') {
            // Look one byte ahead so that Eof is true after the last line.
            if (m_positionInBlock >= m_block.size() && !Refill())
                m_eof = true;
            break;
        }
        if (byte != '\r')
            line += byte;
    }
    return DecodeAnsi(line);
}

void NuraTextFile::Close()
{
    m_file.close();
    m_eof = true;
}
