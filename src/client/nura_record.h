#pragma once

#include <QString>

#include <array>
#include <memory>

// Up to 50 strings travel in one reply.
inline constexpr int kMaxReplyFields = 50;

// A reply read as a record: entry reads, collections and status requests.
// `fields[0]` is the first field of the reply; fields beyond `count` are empty.
struct TNuraRecord
{
    qint32 key = 0;   // first integer argument of the entry reads, else 0
    quint8 count = 0; // 1..50
    std::array<QString, kMaxReplyFields> fields;
};

// A reply read into the caller's answer: 0..50 strings, 0 after any error.
struct TAnswer
{
    qint32 count = 0;
    std::array<QString, kMaxReplyFields> fields;
};

using TNuraRecordPtr = std::unique_ptr<TNuraRecord>;

// Frees a record and clears the caller's reference; an empty one is ignored.
inline void DisposeRecord(TNuraRecordPtr& record)
{
    record.reset();
}
