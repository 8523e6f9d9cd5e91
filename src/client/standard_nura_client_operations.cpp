// The operations of the binary protocol, one request each: the code bytes
// and arguments in the order the server reads them, then the reading rule of
// the reply. Operations whose first attempt may already have changed
// something on the server run Once; the rest repeat after a reconnection.

#include "client/standard_nura_client.h"

#include "client/ansi_codec.h"
#include "client/nura_text_helpers.h"
#include "client/tcp_client.h"

#include <QFileInfo>

namespace {

// The three fixed texts differ in spelling on purpose: each is the one its
// operations have always shown.
constexpr char kServerReplyError[] = "Błąd odpowiedzi serwera";
constexpr char kReplyError[] = "Bład odpowiedzi";
constexpr char kWrongServerReply[] = "Błędna odpowiedź serwera";
constexpr char kFileFetchError[] = "Błąd pobierania pliku";

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

quint8 Code(char letter)
{
    return static_cast<quint8>(letter);
}

// The server takes at most three characters of a file's extension.
QString Extension(const QString& file)
{
    return QFileInfo(file).suffix().left(3);
}

} // namespace

// ---- Entries, collections, reports ----

TNuraRecordPtr TStandardNuraClient::GetEntry(qint32 i1, qint32 i2, const QString& s1, qint32 i3)
{
    return RecordRequest({B(50), I(i1), I(i2), I(i3), S(s1)}, i1);
}

TNuraRecordPtr TStandardNuraClient::GetFirstEntry(qint32 i1, qint32 i2, const QString& s1,
                                                  const QString& s2, qint32 i3)
{
    return RecordRequest({B(55), I(i1), I(i2), I(i3), S(s2), S(s1)}, i1);
}

TNuraRecordPtr TStandardNuraClient::GetNextEntry(qint32 i1, qint32 i2, const QString& s1,
                                                 const QString& s2, qint32 i3)
{
    return RecordRequest({B(56), I(i1), I(i2), I(i3), S(s2), S(s1)}, i1);
}

TNuraRecordPtr TStandardNuraClient::GetLastEntry(qint32 i1, qint32 i2, const QString& s1,
                                                 const QString& s2, qint32 i3)
{
    return RecordRequest({B(57), I(i1), I(i2), I(i3), S(s2), S(s1)}, i1);
}

TNuraRecordPtr TStandardNuraClient::GetPrevEntry(qint32 i1, qint32 i2, const QString& s1,
                                                 const QString& s2, qint32 i3)
{
    return RecordRequest({B(58), I(i1), I(i2), I(i3), S(s2), S(s1)}, i1);
}

void TStandardNuraClient::SetServerString(const QString& s1, QString& text)
{
    TextOne({B(202), B(Code('S')), S(s1)}, text, kServerReplyError);
}

void TStandardNuraClient::GetServerStrings(QString& value, QString& status)
{
    value.clear();
    if (!Ask({B(202), B(Code('G'))})) {
        status = m_lastError;
        return;
    }
    if (m_lastAnswer.count == 1 || m_lastAnswer.count == 2) {
        status = m_lastAnswer.fields[0];
        if (m_lastAnswer.count == 2)
            value = m_lastAnswer.fields[1];
    } else {
        status = ErrorOr(kServerReplyError);
    }
}

TNuraRecordPtr TStandardNuraClient::GetCollection(const QString& s1)
{
    return RecordRequest({B(15), S(s1)}, 0);
}

TNuraRecordPtr TStandardNuraClient::RemoveCollection(qint32 i1)
{
    return RecordRequest({B(6), I(i1)}, 0);
}

// The collection's sense is its report 1 without a second argument.
void TStandardNuraClient::CollectionSense(qint32 i1, QString& text)
{
    StreamToText({B(100), B(1), I(i1), I(0)}, Repeated, text);
}

bool TStandardNuraClient::ReportCollection(qint32 i1, qint32 i2, const QString& file,
                                           const QString& params)
{
    if (params.isEmpty())
        return StreamToFile({B(100), B(1), I(i1), I(i2)}, Once, file);
    return StreamToFile({B(100), B(6), I(i1), I(i2), S(params)}, Once, file);
}

bool TStandardNuraClient::ReportList(qint32 i1, const QString& s1, const QString& file,
                                     const QString& params)
{
    if (params.isEmpty())
        return StreamToFile({B(100), B(2), I(i1), S(s1)}, Once, file);
    return StreamToFile({B(100), B(7), I(i1), S(params), S(s1)}, Once, file);
}

bool TStandardNuraClient::ReportProcedure(qint32 reportNo, const QString& params,
                                          const QString& file)
{
    return StreamToFile({B(100), B(3), I(reportNo), S(params)}, Once, file);
}

void TStandardNuraClient::ReportCollectionText(qint32 i1, qint32 i2, QString& text,
                                               const QString& params)
{
    if (params.isEmpty())
        StreamToText({B(100), B(1), I(i1), I(i2)}, Once, text);
    else
        StreamToText({B(100), B(6), I(i1), I(i2), S(params)}, Once, text);
}

void TStandardNuraClient::ReportListText(qint32 i1, const QString& s1, QString& text,
                                         const QString& params)
{
    if (params.isEmpty())
        StreamToText({B(100), B(2), I(i1), S(s1)}, Once, text);
    else
        StreamToText({B(100), B(7), I(i1), S(params), S(s1)}, Once, text);
}

void TStandardNuraClient::ReportProcedureText(qint32 reportNo, const QString& params, QString& text)
{
    StreamToText({B(100), B(3), I(reportNo), S(params)}, Once, text);
}

// A program that ran while the connection was being rebuilt may or may not
// have finished, so its answer cannot be trusted.
void TStandardNuraClient::Programm(const QString& s1, const QString& s2, QString& text,
                                   const QString& s3)
{
    if (!Ask({B(201), B(Code('X')), S(s1), S(s2), S(s3)}, Once)) {
        text = m_lastError;
        return;
    }
    if (m_socket->Reconnected())
        text = Text("Wynik operacji nie jest wiarygodny");
    else if (m_lastAnswer.count == 1 || m_lastAnswer.count == 2)
        text = m_lastAnswer.fields[static_cast<size_t>(m_lastAnswer.count - 1)];
    else if (m_lastAnswer.count == 0)
        text = ErrorOr(kReplyError);
}

void TStandardNuraClient::DefaultParams(const QString& s1, QString& text)
{
    TextOneOrTwo({B(201), B(Code('D')), S(s1)}, text, kServerReplyError);
}

// ---- Files and blobs ----

bool TStandardNuraClient::FileGet(const QString& name, const QString& file,
                                  TProgressHandler progress)
{
    return StreamToFile({B(120), B(1), S(name)}, Repeated, file, progress);
}

void TStandardNuraClient::FileQuery(const QString& name, QString& text)
{
    text.clear();
    if (Ask({B(120), B(2), S(name)}) && m_lastAnswer.count == 1)
        text = m_lastAnswer.fields[0];
}

bool TStandardNuraClient::FilePut(const QString& file, const QString& name,
                                  TProgressHandler progress)
{
    QString unreadable;
    if (!UploadRequest({B(120), B(3), S(name)}, &file, QByteArray(), progress, unreadable))
        return false;
    if (!unreadable.isEmpty()) {
        errorHandler(unreadable);
        return false;
    }
    if (m_lastAnswer.count != 1)
        return false;
    if (!m_lastAnswer.fields[0].isEmpty())
        errorHandler(m_lastAnswer.fields[0]);
    return m_lastAnswer.fields[0].isEmpty();
}

void TStandardNuraClient::BlobStructure(const QString& s1, QString& text)
{
    TextOne({B(220), B(Code('F')), S(s1)}, text, kReplyError);
}

void TStandardNuraClient::BlobList(const QString& s1, QString& text)
{
    TextOne({B(220), B(Code('L')), S(s1)}, text, kReplyError);
}

bool TStandardNuraClient::BlobGet(const QString& s1, const QString& s2, TProgressHandler progress,
                                  const QString& file)
{
    return StreamToFile({B(220), B(Code('G')), S(s1), S(s2)}, Repeated, file, progress);
}

// A non-empty status is the server's own reason for sending no file.
void TStandardNuraClient::BlobGetProtected(const QString& s1, const QString& s2, QString& status,
                                           TProgressHandler progress, const QString& s3,
                                           const QString& file)
{
    status.clear();
    const bool complete = StreamToFile({B(220), B(Code('P')), S(s1), S(s2), S(s3)}, Repeated, file,
                                       progress, &status);
    if (!complete && status.isEmpty() && !m_socket->ErrorFlag())
        errorHandler(Text(kFileFetchError));
}

void TStandardNuraClient::BlobGetText(const QString& s1, const QString& s2, QByteArray& data,
                                      TProgressHandler progress)
{
    if (m_socket->ErrorFlag()) {
        data.clear();
        return;
    }
    if (!StreamToBytes({B(220), B(Code('G')), S(s1), S(s2)}, Repeated, data, progress) &&
        !m_socket->ErrorFlag())
        errorHandler(Text(kFileFetchError));
}

void TStandardNuraClient::BlobGetProtectedText(const QString& s1, const QString& s2,
                                               QByteArray& data, QString& status,
                                               TProgressHandler progress, const QString& s3)
{
    status.clear();
    if (m_socket->ErrorFlag()) {
        data.clear();
        status = m_socket->ErrorText();
        return;
    }
    if (!StreamToBytes({B(220), B(Code('P')), S(s1), S(s2), S(s3)}, Repeated, data, progress,
                       &status) &&
        !m_socket->ErrorFlag())
        errorHandler(Text(kFileFetchError));
}

void TStandardNuraClient::BlobAdd(const QString& s1, const QString& file, QString& text,
                                  TProgressHandler progress)
{
    UploadText({B(220), B(Code('A')), S(s1), S(Extension(file))}, &file, QByteArray(), progress,
               text, kServerReplyError);
}

void TStandardNuraClient::BlobAddText(const QString& s1, const QString& s2, QString& text,
                                      TProgressHandler progress, const QByteArray& data)
{
    UploadText({B(220), B(Code('A')), S(s1), S(s2)}, nullptr, data, progress, text, kReplyError);
}

void TStandardNuraClient::BlobSaveAs(const QString& s1, const QString& s2, QString& text,
                                     TProgressHandler progress, const QString& file)
{
    UploadText({B(220), B(Code('S')), S(s1), S(s2), S(Extension(file))}, &file, QByteArray(),
               progress, text, kReplyError);
}

void TStandardNuraClient::BlobDelete(const QString& s1, const QString& s2, QString& text)
{
    TextOne({B(220), B(Code('D')), S(s1), S(s2)}, text, kReplyError);
}

// ---- Status and commands ----

TNuraRecordPtr TStandardNuraClient::GetStatusA()
{
    return RecordRequest({B(130)}, 0);
}

TNuraRecordPtr TStandardNuraClient::GetStatusB()
{
    return RecordRequest({B(131)}, 0);
}

TNuraRecordPtr TStandardNuraClient::GetStatusC()
{
    return RecordRequest({B(132)}, 0);
}

TNuraRecordPtr TStandardNuraClient::GetStatus()
{
    return RecordRequest({B(133)}, 0);
}

void TStandardNuraClient::Command(const QString& s1, QString& text)
{
    TextOneOrTwo({B(135), S(s1)}, text, kWrongServerReply);
}

void TStandardNuraClient::CommandPair(const QString& s1, QString& first, QString& second)
{
    second.clear();
    if (!Ask({B(136), S(s1)})) {
        first = m_lastError;
        return;
    }
    if (m_lastAnswer.count == 1 || m_lastAnswer.count == 2) {
        first = m_lastAnswer.fields[0];
        if (m_lastAnswer.count == 2)
            second = m_lastAnswer.fields[1];
    } else {
        first = ErrorOr(kWrongServerReply);
    }
}

// ---- Deleting and scontrum ----

void TStandardNuraClient::DeletingMark(const QString& s1, QChar ch, QString& text)
{
    TextOneFixed({B(140), B(1), S(s1), S(QString(ch))}, text);
}

void TStandardNuraClient::DeletingSelect(const QString& s1, QString& text)
{
    TextOneFixed({B(140), B(3), S(s1)}, text);
}

void TStandardNuraClient::DeletingCancel(const QString& s1, QString& text)
{
    TextOneFixed({B(140), B(2), S(s1)}, text);
}

void TStandardNuraClient::DeletingProtocol(QString& s2, const QString& s1, QString& text)
{
    if (!Ask({B(140), B(4), S(s1), S(s2)})) {
        text = m_lastError;
        return;
    }
    if (m_lastAnswer.count == 1 || m_lastAnswer.count == 2) {
        text = m_lastAnswer.fields[0];
        if (m_lastAnswer.count == 2)
            s2 = m_lastAnswer.fields[1];
    } else {
        text = Text(kWrongServerReply);
    }
}

void TStandardNuraClient::DeletingCancelProtocol(const QString& s1, QString& text)
{
    TextOneFixed({B(140), B(5), S(s1)}, text);
}

void TStandardNuraClient::DeletingDefaults(const QString& s1, bool& flag, QString& text,
                                           QString& s2, QString& s3)
{
    if (!Ask({B(140), B(7), S(s1), S(s2)})) {
        text = m_lastError;
        return;
    }
    const TAnswer& reply = m_lastAnswer;
    if (reply.count == 1) {
        text = reply.fields[0];
    } else if (reply.count == 4) {
        text.clear();
        flag = reply.fields[1] == QLatin1String("A");
        s3 = reply.fields[2];
        s2 = reply.fields[3];
    } else {
        text = Text(kWrongServerReply);
    }
}

void TStandardNuraClient::DeletingDefaultsEx(const QString& s1, bool& flag, QString& text,
                                             qint32& number1, qint32& number2, QString& s2,
                                             QString& s3)
{
    if (!Ask({B(140), B(7), S(s1), S(s2)})) {
        text = m_lastError;
        return;
    }
    const TAnswer& reply = m_lastAnswer;
    if (reply.count == 1) {
        text = reply.fields[0];
    } else if (reply.count == 6) {
        text.clear();
        flag = reply.fields[1] == QLatin1String("A");
        s3 = reply.fields[2];
        s2 = reply.fields[3];
        number2 = reply.fields[4].toInt();
        number1 = reply.fields[5].toInt();
    } else {
        text = Text(kWrongServerReply);
    }
}

// The server reads the second number first.
void TStandardNuraClient::DeletingDo(const QString& s1, const QString& s2, QString& text, qint32 i1,
                                     qint32 i2)
{
    TextOneFixed({B(140), B(6), S(s1), S(s2), I(i2), I(i1)}, text);
}

void TStandardNuraClient::DeletingBarcode(const QString& s1, QString& value, QString& text)
{
    if (!Ask({B(140), B(8), S(s1)})) {
        text = m_lastError;
        return;
    }
    if (m_lastAnswer.count == 1) {
        text = m_lastAnswer.fields[0];
    } else if (m_lastAnswer.count == 4) {
        text.clear();
        value = m_lastAnswer.fields[3];
    } else {
        text = Text(kWrongServerReply);
    }
}

void TStandardNuraClient::ScontrumMark(quint8 b1, const QString& s1, QString& text)
{
    TextOneFixed({B(141), B(2), B(b1), S(s1)}, text);
}

void TStandardNuraClient::ScontrumHole(quint8 b1, const QString& s1, QString& text)
{
    TextOneFixed({B(141), B(3), B(b1), S(s1)}, text);
}

// ---- Catalog records ----

void TStandardNuraClient::GetEpr(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('F')), S(s1)}, answer);
}

void TStandardNuraClient::GetAct(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('A')), S(s1)}, answer);
}

void TStandardNuraClient::NewRecord(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('N')), S(s1)}, answer);
}

void TStandardNuraClient::OpenRecord(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('O')), S(s1)}, answer);
}

void TStandardNuraClient::LeaveRecord(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('X')), S(s1)}, answer);
}

void TStandardNuraClient::SaveRecord(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('U')), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::CheckRecord(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('T')), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::CheckRecordSingle(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('D')), S(s1)}, answer);
}

void TStandardNuraClient::Help(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('H')), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::SaveHelp(const QString& s1, const QString& s2, TAnswer& answer,
                                   const QString& s3)
{
    AnswerRequest({B(200), B(Code('I')), S(s1), S(s2), S(s3)}, answer);
}

void TStandardNuraClient::UpdateCollection(qint32 i1, const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('G')), I(i1), S(s1)}, answer, Once);
}

void TStandardNuraClient::UpdateList(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('L')), S(s1), S(s2)}, answer, Once);
}

// Signals are a side matter of the record being edited: their errors are
// shown as messages, not as connection failures.
void TStandardNuraClient::RecordSignal(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(200), B(Code('S')), S(s1), S(s2)}, answer, Once, Notify::Message);
}

// The caller reads the result as parameters; an error is one more of them.
void TStandardNuraClient::Booking(const QString& s1, QString& text)
{
    const QString errorPrefix = QStringLiteral("err=");
    if (m_socket->ErrorFlag()) {
        text = errorPrefix + m_socket->ErrorText();
        return;
    }
    Frame({B(38), S(QStringLiteral("&client=NURA_TCP") + s1)}, Once, [&] {
        const QString result = m_socket->GetString();
        if (!m_socket->ErrorFlag()) {
            text = result;
            return;
        }
        const QString error = m_socket->ErrorText();
        text = errorPrefix + error;
        errorHandler(error);
    });
}

// ---- Circulation ----

void TStandardNuraClient::GetPersonFormular(TAnswer& answer)
{
    AnswerRequest({B(150), B(11)}, answer);
}

void TStandardNuraClient::OpenPerson(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(1), S(s1)}, answer);
}

void TStandardNuraClient::NewPerson(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(3), S(s1)}, answer);
}

void TStandardNuraClient::LeavePerson(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(12), S(s1)}, answer);
}

void TStandardNuraClient::DeletePerson(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(4), S(s1)}, answer);
}

void TStandardNuraClient::PersonQuery31(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(31), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::PersonQuery2(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(2), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::PersonQuery19(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(19), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::PersonQuery10(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(10), S(s1)}, answer);
}

void TStandardNuraClient::PersonQuery6(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(6), S(s1)}, answer);
}

void TStandardNuraClient::PersonQuery29(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(29), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::PersonQuery26(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(26), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::PersonQuery25(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(25), S(s1)}, answer);
}

void TStandardNuraClient::Lend(const QString& s1, const QString& s2, TAnswer& answer,
                               const QString& s3)
{
    AnswerRequest({B(150), B(7), S(s1), S(s2), S(s3)}, answer);
}

void TStandardNuraClient::OperationDate(const QString& s1, const QString& s2, TAnswer& answer,
                                        const QString& s3)
{
    AnswerRequest({B(150), B(22), S(s1), S(s2), S(s3)}, answer);
}

void TStandardNuraClient::ReturnItem(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(8), S(s1)}, answer);
}

void TStandardNuraClient::ReturnBad(const QString& s1, const QString& s2, TAnswer& answer,
                                    const QString& s3)
{
    AnswerRequest({B(150), B(21), S(s1), S(s2), S(s3)}, answer);
}

void TStandardNuraClient::ReturnStore(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(35), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::Reserve(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(9), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::ChangeReservation(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(30), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::DeleteReservation(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(14), S(s1)}, answer);
}

void TStandardNuraClient::Prolong(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(13), S(s1), S(s2)}, answer, Once);
}

void TStandardNuraClient::SetReservationState(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(15), S(s1), S(s2)}, answer);
}

// The number travels as text, and the last two texts in reverse order.
void TStandardNuraClient::DivertReservation(const QString& s1, qint16 n, TAnswer& answer,
                                            const QString& s2, const QString& s3)
{
    AnswerRequest({B(150), B(34), S(s1), S(QString::number(n)), S(s3), S(s2)}, answer);
}

void TStandardNuraClient::Book(const QString& s1, const QString& s2, TAnswer& answer,
                               const QString& s3)
{
    AnswerRequest({B(150), B(20), S(s1), S(s2), S(s3)}, answer);
}

void TStandardNuraClient::ProlongBooking(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(33), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::DeleteBooking(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(16), S(s1)}, answer);
}

void TStandardNuraClient::ChangePayment(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(17), S(s1), S(s2)}, answer, Once);
}

// Servers of the third generation from 2017-11-13 on take three more texts;
// older ones would read them as the next request.
void TStandardNuraClient::Money(const QString& s1, const QString& s2, TAnswer& answer,
                                const QString& s3, const QString& s4, const QString& s5,
                                const QString& s6)
{
    const bool extended =
        serverDescription.startsWith(QLatin1String("NURA3")) &&
        GetParam(serverDescription, QStringLiteral("wersja")) >= QLatin1String("20171113");
    if (extended)
        AnswerRequest({B(150), B(18), S(s1), S(s2), S(s6), S(s5), S(s4), S(s3)}, answer, Once);
    else
        AnswerRequest({B(150), B(18), S(s1), S(s2), S(s6)}, answer, Once);
}

void TStandardNuraClient::Circulation23(TAnswer& answer)
{
    AnswerRequest({B(150), B(23)}, answer, Once, Notify::Message);
}

void TStandardNuraClient::SendMonit(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest({B(150), B(24), S(s1), S(s2)}, answer);
}

void TStandardNuraClient::GetOptions(TAnswer& answer)
{
    AnswerRequest({B(150), B(27)}, answer);
}

void TStandardNuraClient::SetOptions(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(150), B(28), S(s1)}, answer);
}

void TStandardNuraClient::Circulation32(const QString& s1, const QString& s2, TAnswer& answer,
                                        const QString& s3, const QString& s4)
{
    AnswerRequest({B(150), B(32), S(s1), S(s2), S(s4), S(s3)}, answer);
}

// ---- Reading-room visits ----

// A registered visit must not be counted twice.
void TStandardNuraClient::Registry(const QString& s1, qint32 i1, TAnswer& answer)
{
    AnswerRequest({B(151), B(Code('I')), S(s1), I(i1)}, answer, Once);
}

void TStandardNuraClient::GetRegistry(const QString& s1, TAnswer& answer)
{
    AnswerRequest({B(151), B(Code('V')), S(s1)}, answer);
}
