#include "client/nura_text_file.h"

#include "client/ansi_codec.h"

#include <cstring>

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
    m_block.resize(kBlockSize);
    const qint64 got = m_file.read(m_block.data(), kBlockSize);
    m_block.resize(got > 0 ? static_cast<qsizetype>(got) : 0);
    m_positionInBlock = 0;
    m_lastBlockFull = m_block.size() == kBlockSize;
    return !m_block.isEmpty();
}

namespace {

// Appends `size` bytes, leaving out every CR.
void AppendWithoutCr(QByteArray& line, const char* bytes, qsizetype size)
{
    while (size > 0) {
        const void* cr = std::memchr(bytes, '\r', static_cast<size_t>(size));
        const qsizetype run = cr ? static_cast<const char*>(cr) - bytes : size;
        line.append(bytes, run);
        const qsizetype skipped = cr ? run + 1 : run;
        bytes += skipped;
        size -= skipped;
    }
}

} // namespace

QString NuraTextFile::ReadLine()
{
    m_line.resize(0);
    while (!m_eof) {
        if (m_positionInBlock >= m_block.size() && !Refill()) {
            m_eof = true;
            break;
        }
        // The rest of the line within this block in one step.
        const char* data = m_block.constData();
        const qsizetype size = m_block.size();
        const void* lf = std::memchr(data + m_positionInBlock, '\n',
                                     static_cast<size_t>(size - m_positionInBlock));
        const qsizetype end = lf ? static_cast<const char*>(lf) - data : size;
        AppendWithoutCr(m_line, data + m_positionInBlock, end - m_positionInBlock);
        m_positionInBlock = end;
        if (lf) {
            ++m_positionInBlock;
            // Look one byte ahead so that Eof is true after the last line.
            if (m_positionInBlock >= m_block.size() && !Refill())
                m_eof = true;
            break;
        }
    }
    return DecodeAnsi(m_line);
}

void NuraTextFile::Close()
{
    m_file.close();
    m_eof = true;
}
