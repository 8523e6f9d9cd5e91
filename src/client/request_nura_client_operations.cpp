// The operations, one request each: the label, the code bytes and arguments
// in the order the server reads them, then the reading rule of the reply.
// Operations whose first attempt may already have changed something on the
// server run Once; the rest repeat after a reconnection.

#include "client/request_nura_client.h"

#include "client/ansi_codec.h"
#include "client/nura_text_helpers.h"

#include <QFileInfo>

namespace {

// The fixed texts differ in spelling on purpose: each is the one its
// operations have always shown.
constexpr char kServerReplyError[] = "Błąd odpowiedzi serwera";
constexpr char kReplyError[] = "Bład odpowiedzi";
constexpr char kWrongServerReply[] = "Błędna odpowiedź serwera";
constexpr char kFileFetchError[] = "Błąd pobierania pliku";
// Operations that only the TCP protocol carries; the HTTPS client answers
// them itself without asking the server.
constexpr char kTcpOnly[] = "";

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

TNuraRecordPtr TRequestNuraClient::GetEntry(qint32 i1, qint32 i2, const QString& s1, qint32 i3)
{
    return RecordRequest("Get Entry", {B(50), I(i1), I(i2), I(i3), S(s1)}, i1);
}

TNuraRecordPtr TRequestNuraClient::GetFirstEntry(qint32 i1, qint32 i2, const QString& s1,
                                                 const QString& s2, qint32 i3)
{
    return RecordRequest("Get First Entry", {B(55), I(i1), I(i2), I(i3), S(s2), S(s1)}, i1);
}

TNuraRecordPtr TRequestNuraClient::GetNextEntry(qint32 i1, qint32 i2, const QString& s1,
                                                const QString& s2, qint32 i3)
{
    return RecordRequest("Get Next Entry", {B(56), I(i1), I(i2), I(i3), S(s2), S(s1)}, i1);
}

TNuraRecordPtr TRequestNuraClient::GetLastEntry(qint32 i1, qint32 i2, const QString& s1,
                                                const QString& s2, qint32 i3)
{
    return RecordRequest("Get Last Entry", {B(57), I(i1), I(i2), I(i3), S(s2), S(s1)}, i1);
}

TNuraRecordPtr TRequestNuraClient::GetPrevEntry(qint32 i1, qint32 i2, const QString& s1,
                                                const QString& s2, qint32 i3)
{
    return RecordRequest("Get Prev Entry", {B(58), I(i1), I(i2), I(i3), S(s2), S(s1)}, i1);
}

void TRequestNuraClient::SetServerString(const QString& s1, QString& text)
{
    TextOne(kTcpOnly, {B(202), B(Code('S')), S(s1)}, text, kServerReplyError);
}

void TRequestNuraClient::GetServerStrings(QString& value, QString& status)
{
    value.clear();
    if (!Ask(kTcpOnly, {B(202), B(Code('G'))})) {
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

TNuraRecordPtr TRequestNuraClient::GetCollection(const QString& s1)
{
    return RecordRequest("Get Collection", {B(15), S(s1)}, 0);
}

TNuraRecordPtr TRequestNuraClient::RemoveCollection(qint32 i1)
{
    return RecordRequest("Remove Collection", {B(6), I(i1)}, 0);
}

// The collection's sense is its report 1 without a second argument.
void TRequestNuraClient::CollectionSense(qint32 i1, QString& text)
{
    StreamToText("Collection Sense", {B(100), B(1), I(i1), I(0)}, Repeated, text);
}

bool TRequestNuraClient::ReportCollection(qint32 i1, qint32 i2, const QString& file,
                                          const QString& params)
{
    if (params.isEmpty())
        return StreamToFile("Report Collection", {B(100), B(1), I(i1), I(i2)}, Once, file);
    return StreamToFile("Report Collection Params", {B(100), B(6), I(i1), I(i2), S(params)}, Once,
                        file);
}

bool TRequestNuraClient::ReportList(qint32 i1, const QString& s1, const QString& file,
                                    const QString& params)
{
    if (params.isEmpty())
        return StreamToFile("Report List", {B(100), B(2), I(i1), S(s1)}, Once, file);
    return StreamToFile("Report List Param", {B(100), B(7), I(i1), S(params), S(s1)}, Once, file);
}

bool TRequestNuraClient::ReportProcedure(qint32 reportNo, const QString& params,
                                         const QString& file)
{
    return StreamToFile("Report Procedure", {B(100), B(3), I(reportNo), S(params)}, Once, file);
}

void TRequestNuraClient::ReportCollectionText(qint32 i1, qint32 i2, QString& text,
                                              const QString& params)
{
    if (params.isEmpty())
        StreamToText("Report Collection (string)", {B(100), B(1), I(i1), I(i2)}, Once, text);
    else
        StreamToText("Report Collection Param (string)", {B(100), B(6), I(i1), I(i2), S(params)},
                     Once, text);
}

void TRequestNuraClient::ReportListText(qint32 i1, const QString& s1, QString& text,
                                        const QString& params)
{
    if (params.isEmpty())
        StreamToText("Report List (string)", {B(100), B(2), I(i1), S(s1)}, Once, text);
    else
        StreamToText("Report List param (string)", {B(100), B(7), I(i1), S(params), S(s1)}, Once,
                     text);
}

void TRequestNuraClient::ReportProcedureText(qint32 reportNo, const QString& params, QString& text)
{
    StreamToText("Report Procedure (string)", {B(100), B(3), I(reportNo), S(params)}, Once, text);
}

// A program that ran while the connection was being rebuilt may or may not
// have finished, so its answer cannot be trusted.
void TRequestNuraClient::Programm(const QString& s1, const QString& s2, QString& text,
                                  const QString& s3)
{
    if (!Ask("Programm", {B(201), B(Code('X')), S(s1), S(s2), S(s3)}, Once)) {
        text = m_lastError;
        return;
    }
    if (WasReconnected())
        text = Text("Wynik operacji nie jest wiarygodny");
    else if (m_lastAnswer.count == 1 || m_lastAnswer.count == 2)
        text = m_lastAnswer.fields[static_cast<size_t>(m_lastAnswer.count - 1)];
    else if (m_lastAnswer.count == 0)
        text = ErrorOr(ProgrammReplyError());
}

void TRequestNuraClient::DefaultParams(const QString& s1, QString& text)
{
    TextOneOrTwo("Default Params", {B(201), B(Code('D')), S(s1)}, text, kServerReplyError);
}

// ---- Files and blobs ----

bool TRequestNuraClient::FileGet(const QString& name, const QString& file,
                                 TProgressHandler progress)
{
    return StreamToFile(kTcpOnly, {B(120), B(1), S(name)}, Repeated, file, progress);
}

void TRequestNuraClient::FileQuery(const QString& name, QString& text)
{
    text.clear();
    if (Ask(kTcpOnly, {B(120), B(2), S(name)}) && m_lastAnswer.count == 1)
        text = m_lastAnswer.fields[0];
}

bool TRequestNuraClient::FilePut(const QString& file, const QString& name,
                                 TProgressHandler progress)
{
    QString unreadable;
    if (!UploadRequest(kTcpOnly, {B(120), B(3), S(name)}, &file, QByteArray(), progress,
                       unreadable))
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

void TRequestNuraClient::BlobStructure(const QString& s1, QString& text)
{
    TextOne("Blob Structure", {B(220), B(Code('F')), S(s1)}, text, kReplyError);
}

void TRequestNuraClient::BlobList(const QString& s1, QString& text)
{
    TextOne("Blob List", {B(220), B(Code('L')), S(s1)}, text, kReplyError);
}

bool TRequestNuraClient::BlobGet(const QString& s1, const QString& s2, TProgressHandler progress,
                                 const QString& file)
{
    return StreamToFile("Blob Get", {B(220), B(Code('G')), S(s1), S(s2)}, Repeated, file, progress);
}

// A non-empty status is the server's own reason for sending no file.
void TRequestNuraClient::BlobGetProtected(const QString& s1, const QString& s2, QString& status,
                                          TProgressHandler progress, const QString& s3,
                                          const QString& file)
{
    status.clear();
    const bool complete =
        StreamToFile("Blob Get Protected", {B(220), B(Code('P')), S(s1), S(s2), S(s3)}, Repeated,
                     file, progress, &status);
    if (!complete && status.isEmpty() && !HasError())
        errorHandler(Text(kFileFetchError));
}

void TRequestNuraClient::BlobGetText(const QString& s1, const QString& s2, QByteArray& data,
                                     TProgressHandler progress)
{
    if (HasError()) {
        data.clear();
        return;
    }
    if (!StreamToBytes("Blob Get (string)", {B(220), B(Code('G')), S(s1), S(s2)}, Repeated, data,
                       progress) &&
        !HasError())
        errorHandler(Text(kFileFetchError));
}

void TRequestNuraClient::BlobGetProtectedText(const QString& s1, const QString& s2,
                                              QByteArray& data, QString& status,
                                              TProgressHandler progress, const QString& s3)
{
    status.clear();
    if (HasError()) {
        data.clear();
        status = ErrorText();
        return;
    }
    if (!StreamToBytes("Blob Get Protected (string)", {B(220), B(Code('P')), S(s1), S(s2), S(s3)},
                       Repeated, data, progress, &status) &&
        !HasError())
        errorHandler(Text(kFileFetchError));
}

void TRequestNuraClient::BlobAdd(const QString& s1, const QString& file, QString& text,
                                 TProgressHandler progress)
{
    UploadText("Blob Add", {B(220), B(Code('A')), S(s1), S(Extension(file))}, &file, QByteArray(),
               progress, text, kServerReplyError);
}

void TRequestNuraClient::BlobAddText(const QString& s1, const QString& s2, QString& text,
                                     TProgressHandler progress, const QByteArray& data)
{
    UploadText("Blob Add (string)", {B(220), B(Code('A')), S(s1), S(s2)}, nullptr, data, progress,
               text, kReplyError);
}

void TRequestNuraClient::BlobSaveAs(const QString& s1, const QString& s2, QString& text,
                                    TProgressHandler progress, const QString& file)
{
    UploadText("Blob Save As", {B(220), B(Code('S')), S(s1), S(s2), S(Extension(file))}, &file,
               QByteArray(), progress, text, kReplyError);
}

void TRequestNuraClient::BlobDelete(const QString& s1, const QString& s2, QString& text)
{
    TextOne("Blob Delete", {B(220), B(Code('D')), S(s1), S(s2)}, text, kReplyError);
}

// ---- Status and commands ----

TNuraRecordPtr TRequestNuraClient::GetStatusA()
{
    return RecordRequest(kTcpOnly, {B(130)}, 0);
}

TNuraRecordPtr TRequestNuraClient::GetStatusB()
{
    return RecordRequest(kTcpOnly, {B(131)}, 0);
}

TNuraRecordPtr TRequestNuraClient::GetStatusC()
{
    return RecordRequest(kTcpOnly, {B(132)}, 0);
}

TNuraRecordPtr TRequestNuraClient::GetStatus()
{
    return RecordRequest("Get Status", {B(133)}, 0);
}

void TRequestNuraClient::Command(const QString& s1, QString& text)
{
    TextOneOrTwo("Command", {B(135), S(s1)}, text, kWrongServerReply);
}

void TRequestNuraClient::CommandPair(const QString& s1, QString& first, QString& second)
{
    second.clear();
    if (!Ask(kTcpOnly, {B(136), S(s1)})) {
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

void TRequestNuraClient::DeletingMark(const QString& s1, QChar ch, QString& text)
{
    TextOneFixed("Deleting Mark", {B(140), B(1), S(s1), S(QString(ch))}, text);
}

void TRequestNuraClient::DeletingSelect(const QString& s1, QString& text)
{
    TextOneFixed("Deleting Select", {B(140), B(3), S(s1)}, text);
}

void TRequestNuraClient::DeletingCancel(const QString& s1, QString& text)
{
    TextOneFixed("Deleting Cancel", {B(140), B(2), S(s1)}, text);
}

void TRequestNuraClient::DeletingProtocol(QString& s2, const QString& s1, QString& text)
{
    if (!Ask("Deleting Protocol", {B(140), B(4), S(s1), S(s2)})) {
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

void TRequestNuraClient::DeletingCancelProtocol(const QString& s1, QString& text)
{
    TextOneFixed("Deleting Cancel Protocol", {B(140), B(5), S(s1)}, text);
}

void TRequestNuraClient::DeletingDefaults(const QString& s1, bool& flag, QString& text, QString& s2,
                                          QString& s3)
{
    if (!Ask("Deleting Defaults (1)", {B(140), B(7), S(s1), S(s2)})) {
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

void TRequestNuraClient::DeletingDefaultsEx(const QString& s1, bool& flag, QString& text,
                                            qint32& number1, qint32& number2, QString& s2,
                                            QString& s3)
{
    if (!Ask("Deleting Defaults (2)", {B(140), B(7), S(s1), S(s2)})) {
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
void TRequestNuraClient::DeletingDo(const QString& s1, const QString& s2, QString& text, qint32 i1,
                                    qint32 i2)
{
    TextOneFixed("Deleting Do", {B(140), B(6), S(s1), S(s2), I(i2), I(i1)}, text);
}

void TRequestNuraClient::DeletingBarcode(const QString& s1, QString& value, QString& text)
{
    if (!Ask("Deleting Barcode", {B(140), B(8), S(s1)})) {
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

void TRequestNuraClient::ScontrumMark(quint8 b1, const QString& s1, QString& text)
{
    TextOneFixed("Scontrum Mark", {B(141), B(2), B(b1), S(s1)}, text);
}

void TRequestNuraClient::ScontrumHole(quint8 b1, const QString& s1, QString& text)
{
    TextOneFixed("Scontrum Hole", {B(141), B(3), B(b1), S(s1)}, text);
}

// ---- Catalog records ----

void TRequestNuraClient::GetEpr(const QString& s1, TAnswer& answer)
{
    AnswerRequest("GET_EPR", {B(200), B(Code('F')), S(s1)}, answer);
}

void TRequestNuraClient::GetAct(const QString& s1, TAnswer& answer)
{
    AnswerRequest("GET_ACT", {B(200), B(Code('A')), S(s1)}, answer);
}

void TRequestNuraClient::NewRecord(const QString& s1, TAnswer& answer)
{
    AnswerRequest("NEW_RECORD", {B(200), B(Code('N')), S(s1)}, answer);
}

void TRequestNuraClient::OpenRecord(const QString& s1, TAnswer& answer)
{
    AnswerRequest("OPEN_RECORD", {B(200), B(Code('O')), S(s1)}, answer);
}

void TRequestNuraClient::LeaveRecord(const QString& s1, TAnswer& answer)
{
    AnswerRequest("LEAVE_RECORD", {B(200), B(Code('X')), S(s1)}, answer);
}

void TRequestNuraClient::SaveRecord(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("SAVE_RECORD", {B(200), B(Code('U')), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::CheckRecord(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("CHECK_RECORD", {B(200), B(Code('T')), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::CheckRecordSingle(const QString& s1, TAnswer& answer)
{
    AnswerRequest("CHECK_RECORD", {B(200), B(Code('D')), S(s1)}, answer);
}

void TRequestNuraClient::Help(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("HELP", {B(200), B(Code('H')), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::SaveHelp(const QString& s1, const QString& s2, TAnswer& answer,
                                  const QString& s3)
{
    AnswerRequest("SAVE_HELP", {B(200), B(Code('I')), S(s1), S(s2), S(s3)}, answer);
}

void TRequestNuraClient::UpdateCollection(qint32 i1, const QString& s1, TAnswer& answer)
{
    AnswerRequest("UPDATE_COLLECTION", {B(200), B(Code('G')), I(i1), S(s1)}, answer, Once);
}

void TRequestNuraClient::UpdateList(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("UPDATE_LIST", {B(200), B(Code('L')), S(s1), S(s2)}, answer, Once);
}

// Signals are a side matter of the record being edited: their errors are
// shown as messages, not as connection failures.
void TRequestNuraClient::RecordSignal(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest(kTcpOnly, {B(200), B(Code('S')), S(s1), S(s2)}, answer, Once, Notify::Message);
}

// ---- Circulation ----

void TRequestNuraClient::GetPersonFormular(TAnswer& answer)
{
    AnswerRequest("GET_PERSON_FORMULAR", {B(150), B(11)}, answer);
}

void TRequestNuraClient::OpenPerson(const QString& s1, TAnswer& answer)
{
    AnswerRequest("OPEN_PERSON", {B(150), B(1), S(s1)}, answer);
}

void TRequestNuraClient::NewPerson(const QString& s1, TAnswer& answer)
{
    AnswerRequest("NEW_PERSON", {B(150), B(3), S(s1)}, answer);
}

void TRequestNuraClient::LeavePerson(const QString& s1, TAnswer& answer)
{
    AnswerRequest("LEAVE_PERSON", {B(150), B(12), S(s1)}, answer);
}

void TRequestNuraClient::DeletePerson(const QString& s1, TAnswer& answer)
{
    AnswerRequest("DELETE_PERSON", {B(150), B(4), S(s1)}, answer);
}

void TRequestNuraClient::PersonQuery31(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("OPEN_PERSON", {B(150), B(31), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::PersonQuery2(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("OPEN_PERSON", {B(150), B(2), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::PersonQuery19(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("OPEN_PERSON", {B(150), B(19), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::PersonQuery10(const QString& s1, TAnswer& answer)
{
    AnswerRequest("OPEN_PERSON", {B(150), B(10), S(s1)}, answer);
}

void TRequestNuraClient::PersonQuery6(const QString& s1, TAnswer& answer)
{
    AnswerRequest("OPEN_PERSON", {B(150), B(6), S(s1)}, answer);
}

void TRequestNuraClient::PersonQuery29(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("OPEN_PERSON", {B(150), B(29), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::PersonQuery26(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("OPEN_PERSON", {B(150), B(26), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::PersonQuery25(const QString& s1, TAnswer& answer)
{
    AnswerRequest("OPEN_PERSON", {B(150), B(25), S(s1)}, answer);
}

void TRequestNuraClient::Lend(const QString& s1, const QString& s2, TAnswer& answer,
                              const QString& s3)
{
    AnswerRequest("LEND", {B(150), B(7), S(s1), S(s2), S(s3)}, answer);
}

void TRequestNuraClient::OperationDate(const QString& s1, const QString& s2, TAnswer& answer,
                                       const QString& s3)
{
    AnswerRequest("OPERATION_DATE", {B(150), B(22), S(s1), S(s2), S(s3)}, answer);
}

void TRequestNuraClient::ReturnItem(const QString& s1, TAnswer& answer)
{
    AnswerRequest("RETURN", {B(150), B(8), S(s1)}, answer);
}

void TRequestNuraClient::ReturnBad(const QString& s1, const QString& s2, TAnswer& answer,
                                   const QString& s3)
{
    AnswerRequest("RETURN_BAD", {B(150), B(21), S(s1), S(s2), S(s3)}, answer);
}

void TRequestNuraClient::ReturnStore(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("RETURN STORE", {B(150), B(35), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::Reserve(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("RESERVE", {B(150), B(9), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::ChangeReservation(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("CHANGE_RESERVATION", {B(150), B(30), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::DeleteReservation(const QString& s1, TAnswer& answer)
{
    AnswerRequest("DELETE_RESERVATION", {B(150), B(14), S(s1)}, answer);
}

void TRequestNuraClient::Prolong(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("PROLONG", {B(150), B(13), S(s1), S(s2)}, answer, Once);
}

void TRequestNuraClient::SetReservationState(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("SET_RESERVATION_STATE", {B(150), B(15), S(s1), S(s2)}, answer);
}

// The number travels as text, and the last two texts in reverse order.
void TRequestNuraClient::DivertReservation(const QString& s1, qint16 n, TAnswer& answer,
                                           const QString& s2, const QString& s3)
{
    AnswerRequest("DIVERT_RESERVATION", {B(150), B(34), S(s1), S(QString::number(n)), S(s3), S(s2)},
                  answer);
}

void TRequestNuraClient::Book(const QString& s1, const QString& s2, TAnswer& answer,
                              const QString& s3)
{
    AnswerRequest("BOOK", {B(150), B(20), S(s1), S(s2), S(s3)}, answer);
}

void TRequestNuraClient::ProlongBooking(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("PROLONG_BOOKING", {B(150), B(33), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::DeleteBooking(const QString& s1, TAnswer& answer)
{
    AnswerRequest("DELETE_BOOKING", {B(150), B(16), S(s1)}, answer);
}

void TRequestNuraClient::ChangePayment(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("CHANGE_PAYMENT", {B(150), B(17), S(s1), S(s2)}, answer, Once);
}

// Servers of the third generation from 2017-11-13 on take three more texts;
// older ones would read them as the next request.
void TRequestNuraClient::Money(const QString& s1, const QString& s2, TAnswer& answer,
                               const QString& s3, const QString& s4, const QString& s5,
                               const QString& s6)
{
    const bool extended =
        serverDescription.startsWith(QLatin1String("NURA3")) &&
        GetParam(serverDescription, QStringLiteral("wersja")) >= QLatin1String("20171113");
    if (extended)
        AnswerRequest("Money", {B(150), B(18), S(s1), S(s2), S(s6), S(s5), S(s4), S(s3)}, answer,
                      Once);
    else
        AnswerRequest("Money", {B(150), B(18), S(s1), S(s2), S(s6)}, answer, Once);
}

void TRequestNuraClient::Circulation23(TAnswer& answer)
{
    AnswerRequest(kTcpOnly, {B(150), B(23)}, answer, Once, Notify::Message);
}

void TRequestNuraClient::SendMonit(const QString& s1, const QString& s2, TAnswer& answer)
{
    AnswerRequest("SEND_MONIT", {B(150), B(24), S(s1), S(s2)}, answer);
}

void TRequestNuraClient::GetOptions(TAnswer& answer)
{
    AnswerRequest("GET_OPTIONS", {B(150), B(27)}, answer);
}

void TRequestNuraClient::SetOptions(const QString& s1, TAnswer& answer)
{
    AnswerRequest("SET_OPTIONS", {B(150), B(28), S(s1)}, answer);
}

void TRequestNuraClient::Circulation32(const QString& s1, const QString& s2, TAnswer& answer,
                                       const QString& s3, const QString& s4)
{
    AnswerRequest(kTcpOnly, {B(150), B(32), S(s1), S(s2), S(s4), S(s3)}, answer);
}

// ---- Reading-room visits ----

// A registered visit must not be counted twice.
void TRequestNuraClient::Registry(const QString& s1, qint32 i1, TAnswer& answer)
{
    AnswerRequest("REGISTRY", {B(151), B(Code('I')), S(s1), I(i1)}, answer, Once);
}

void TRequestNuraClient::GetRegistry(const QString& s1, TAnswer& answer)
{
    AnswerRequest("GET_REGISTRY", {B(151), B(Code('V')), S(s1)}, answer);
}
