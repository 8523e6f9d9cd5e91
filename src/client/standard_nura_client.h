#pragma once

#include "client/nura_client.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>

class LMSocket;
class QFile;

// The client of the server's binary TCP protocol: each operation is one
// request (code bytes, integers, strings) and one reply (a count and that
// many strings, or a chunked byte stream) over one LMSocket.
class TStandardNuraClient final : public TNuraClient
{
public:
    // Connect to `address`:`port` and, when that worked, greet the server.
    TStandardNuraClient(const QString& address, TTextHandler onServerMessage, TTextHandler onError,
                        TTextHandler onMessage, const QString& clientIdentification, qint32 port);
    TStandardNuraClient(const QString& address, TTextHandler onServerMessage, TTextHandler onError,
                        TTextHandler onMessage, qint32 port);
    // Over a socket that is already connected (a socketpair end in tests, or
    // a fuzz harness). No greeting is exchanged; call Hello when one is
    // wanted. Such a socket has no keep-alive timer and cannot reopen.
    TStandardNuraClient(std::unique_ptr<LMSocket> socket, TTextHandler onServerMessage,
                        TTextHandler onError, TTextHandler onMessage,
                        const QString& clientIdentification = QString());
    // Says goodbye (code 0) unless the connection is broken, then closes it.
    ~TStandardNuraClient() override;

    void Reconnect() override;
    void Hello(bool reconnecting, bool quiet) override;

    TNuraRecordPtr GetEntry(qint32 i1, qint32 i2, const QString& s1, qint32 i3) override;
    TNuraRecordPtr GetFirstEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                 qint32 i3) override;
    TNuraRecordPtr GetNextEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                qint32 i3) override;
    TNuraRecordPtr GetLastEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                qint32 i3) override;
    TNuraRecordPtr GetPrevEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                qint32 i3) override;
    void SetServerString(const QString& s1, QString& text) override;
    void GetServerStrings(QString& value, QString& status) override;
    TNuraRecordPtr GetCollection(const QString& s1) override;
    TNuraRecordPtr RemoveCollection(qint32 i1) override;
    void CollectionSense(qint32 i1, QString& text) override;

    bool ReportCollection(qint32 i1, qint32 i2, const QString& file,
                          const QString& params) override;
    bool ReportList(qint32 i1, const QString& s1, const QString& file,
                    const QString& params) override;
    bool ReportProcedure(qint32 reportNo, const QString& params, const QString& file) override;
    void ReportCollectionText(qint32 i1, qint32 i2, QString& text, const QString& params) override;
    void ReportListText(qint32 i1, const QString& s1, QString& text,
                        const QString& params) override;
    void ReportProcedureText(qint32 reportNo, const QString& params, QString& text) override;
    void Programm(const QString& s1, const QString& s2, QString& text, const QString& s3) override;
    void DefaultParams(const QString& s1, QString& text) override;

    bool FileGet(const QString& name, const QString& file, TProgressHandler progress) override;
    void FileQuery(const QString& name, QString& text) override;
    bool FilePut(const QString& file, const QString& name, TProgressHandler progress) override;

    void BlobStructure(const QString& s1, QString& text) override;
    void BlobList(const QString& s1, QString& text) override;
    bool BlobGet(const QString& s1, const QString& s2, TProgressHandler progress,
                 const QString& file) override;
    void BlobGetProtected(const QString& s1, const QString& s2, QString& status,
                          TProgressHandler progress, const QString& s3,
                          const QString& file) override;
    void BlobGetText(const QString& s1, const QString& s2, QByteArray& data,
                     TProgressHandler progress) override;
    void BlobGetProtectedText(const QString& s1, const QString& s2, QByteArray& data,
                              QString& status, TProgressHandler progress,
                              const QString& s3) override;
    void BlobAdd(const QString& s1, const QString& file, QString& text,
                 TProgressHandler progress) override;
    void BlobAddText(const QString& s1, const QString& s2, QString& text, TProgressHandler progress,
                     const QByteArray& data) override;
    void BlobSaveAs(const QString& s1, const QString& s2, QString& text, TProgressHandler progress,
                    const QString& file) override;
    void BlobDelete(const QString& s1, const QString& s2, QString& text) override;

    TNuraRecordPtr GetStatusA() override;
    TNuraRecordPtr GetStatusB() override;
    TNuraRecordPtr GetStatusC() override;
    TNuraRecordPtr GetStatus() override;
    void Command(const QString& s1, QString& text) override;
    void CommandPair(const QString& s1, QString& first, QString& second) override;

    void DeletingMark(const QString& s1, QChar ch, QString& text) override;
    void DeletingSelect(const QString& s1, QString& text) override;
    void DeletingCancel(const QString& s1, QString& text) override;
    void DeletingProtocol(QString& s2, const QString& s1, QString& text) override;
    void DeletingCancelProtocol(const QString& s1, QString& text) override;
    void DeletingDefaults(const QString& s1, bool& flag, QString& text, QString& s2,
                          QString& s3) override;
    void DeletingDefaultsEx(const QString& s1, bool& flag, QString& text, qint32& number1,
                            qint32& number2, QString& s2, QString& s3) override;
    void DeletingDo(const QString& s1, const QString& s2, QString& text, qint32 i1,
                    qint32 i2) override;
    void DeletingBarcode(const QString& s1, QString& value, QString& text) override;
    void ScontrumMark(quint8 b1, const QString& s1, QString& text) override;
    void ScontrumHole(quint8 b1, const QString& s1, QString& text) override;

    void Login(const QString& user, const QString& password, QString& error, bool reconnecting,
               const QString& requiredRight) override;
    void ChangePassword(const QString& newPassword, QString& error) override;
    void Logout() override;
    void Ping(const QString& text, QString& error) override;
    std::unique_ptr<TNuraClient> Duplicate(const QString& address, qint32 port) override;

    void GetEpr(const QString& s1, TAnswer& answer) override;
    void GetAct(const QString& s1, TAnswer& answer) override;
    void NewRecord(const QString& s1, TAnswer& answer) override;
    void OpenRecord(const QString& s1, TAnswer& answer) override;
    void LeaveRecord(const QString& s1, TAnswer& answer) override;
    void SaveRecord(const QString& s1, const QString& s2, TAnswer& answer) override;
    void CheckRecord(const QString& s1, const QString& s2, TAnswer& answer) override;
    void CheckRecordSingle(const QString& s1, TAnswer& answer) override;
    void Help(const QString& s1, const QString& s2, TAnswer& answer) override;
    void SaveHelp(const QString& s1, const QString& s2, TAnswer& answer,
                  const QString& s3) override;
    void UpdateCollection(qint32 i1, const QString& s1, TAnswer& answer) override;
    void UpdateList(const QString& s1, const QString& s2, TAnswer& answer) override;
    void RecordSignal(const QString& s1, const QString& s2, TAnswer& answer) override;
    void Booking(const QString& s1, QString& text) override;

    void GetPersonFormular(TAnswer& answer) override;
    void OpenPerson(const QString& s1, TAnswer& answer) override;
    void NewPerson(const QString& s1, TAnswer& answer) override;
    void LeavePerson(const QString& s1, TAnswer& answer) override;
    void DeletePerson(const QString& s1, TAnswer& answer) override;
    void PersonQuery31(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery2(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery19(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery10(const QString& s1, TAnswer& answer) override;
    void PersonQuery6(const QString& s1, TAnswer& answer) override;
    void PersonQuery29(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery26(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery25(const QString& s1, TAnswer& answer) override;
    void Lend(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3) override;
    void OperationDate(const QString& s1, const QString& s2, TAnswer& answer,
                       const QString& s3) override;
    void ReturnItem(const QString& s1, TAnswer& answer) override;
    void ReturnBad(const QString& s1, const QString& s2, TAnswer& answer,
                   const QString& s3) override;
    void ReturnStore(const QString& s1, const QString& s2, TAnswer& answer) override;
    void Reserve(const QString& s1, const QString& s2, TAnswer& answer) override;
    void ChangeReservation(const QString& s1, const QString& s2, TAnswer& answer) override;
    void DeleteReservation(const QString& s1, TAnswer& answer) override;
    void Prolong(const QString& s1, const QString& s2, TAnswer& answer) override;
    void SetReservationState(const QString& s1, const QString& s2, TAnswer& answer) override;
    void DivertReservation(const QString& s1, qint16 n, TAnswer& answer, const QString& s2,
                           const QString& s3) override;
    void Book(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3) override;
    void ProlongBooking(const QString& s1, const QString& s2, TAnswer& answer) override;
    void DeleteBooking(const QString& s1, TAnswer& answer) override;
    void ChangePayment(const QString& s1, const QString& s2, TAnswer& answer) override;
    void Money(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3,
               const QString& s4, const QString& s5, const QString& s6) override;
    void Circulation23(TAnswer& answer) override;
    void SendMonit(const QString& s1, const QString& s2, TAnswer& answer) override;
    void GetOptions(TAnswer& answer) override;
    void SetOptions(const QString& s1, TAnswer& answer) override;
    void Circulation32(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3,
                       const QString& s4) override;

    void Registry(const QString& s1, qint32 i1, TAnswer& answer) override;
    void GetRegistry(const QString& s1, TAnswer& answer) override;

    bool HasError() const override;
    QString ErrorText() const override;
    bool WasReconnected() const override;
    bool IsUtf8() const override;

    // The keep-alive exchange the socket's timer runs on its tick thread
    // between requests; public so that a test can run it without waiting.
    void KeepAlive();
    // The connection, for settings such as the reply wait limit.
    LMSocket& Socket() { return *m_socket; }

private:
    // One item of a request as it goes on the wire.
    struct WireItem
    {
        enum Kind : unsigned char
        {
            Byte,
            Integer,
            Text
        } kind;
        qint32 number;
        QString text;
    };
    using Items = std::initializer_list<WireItem>;
    static WireItem B(quint8 value) { return {WireItem::Byte, value, QString()}; }
    static WireItem I(qint32 value) { return {WireItem::Integer, value, QString()}; }
    static WireItem S(const QString& text) { return {WireItem::Text, 0, text}; }

    // Whether an operation sends its request again after the error handler
    // reconnected: not for those whose first attempt may already have changed
    // something on the server.
    enum Repeat : bool
    {
        Once = false,
        Repeated = true
    };
    // Where the error of a reply goes.
    enum class Notify : unsigned char
    {
        Error,
        Message,
        Silent
    };

    // Where a downloaded stream goes: a file, a byte string, or nowhere.
    struct Sink;
    // A status text in front of a stream, read as a long or a plain string.
    enum class Status : unsigned char
    {
        None,
        Long,
        Plain
    };

    void Put(Items items);
    void Deliver(Notify where, const QString& text) const;
    void PostFromTimer(const QString& text) const;
    // Reads the count, passing any server messages in front of it on (from
    // the timer thread they are posted to the main thread instead).
    qint32 ReadCount(bool onTimerThread = false);
    // Reads a count reply into `answer`; returns the error text ("" when the
    // reply was good), taken before the handler could reconnect.
    QString ReadAnswer(TAnswer& answer, Notify where);
    void BadShape(qint32 number);

    // One request and its reply: `read` reads the reply. A normal request
    // stops the keep-alive for its duration and is sent again while the
    // error handler reconnected meanwhile (`repeat`); the reconnecting form,
    // used inside Reconnect, only empties the buffer and runs once.
    void Frame(Items items, Repeat repeat, const std::function<void()>& read,
               bool reconnecting = false);
    // The frame around a count reply read into the last answer. False when
    // the client was already in the error state (nothing sent).
    bool Ask(Items items, Repeat repeat = Repeated, Notify where = Notify::Error);
    void AnswerRequest(Items items, TAnswer& answer, Repeat repeat = Repeated,
                       Notify where = Notify::Error);
    TNuraRecordPtr RecordRequest(Items items, qint32 key);

    // Reply texts of the out-text operations, from the last answer.
    QString ErrorOr(const char* fallback) const;
    void TextOne(Items items, QString& text, const char* fallback);
    void TextOneOrTwo(Items items, QString& text, const char* fallback);
    void TextOneFixed(Items items, QString& text);

    // Byte streams.
    bool Download(Sink& sink, TProgressHandler progress);
    bool Fetch(Items items, Repeat repeat, Sink& sink, TProgressHandler progress, Status form,
               QString* status);
    bool StreamToFile(Items items, Repeat repeat, const QString& file,
                      TProgressHandler progress = {}, QString* status = nullptr);
    bool StreamToBytes(Items items, Repeat repeat, QByteArray& bytes,
                       TProgressHandler progress = {}, QString* status = nullptr);
    void StreamToText(Items items, Repeat repeat, QString& text);
    void Upload(QFile* file, const QByteArray& bytes, TProgressHandler progress);
    // Sends the request, then the file (or `bytes` when `file` is null) as
    // an upload stream, and reads the count reply into the last answer.
    // `unreadable` gets a text when the file could not be read.
    bool UploadRequest(Items items, const QString* file, const QByteArray& bytes,
                       TProgressHandler progress, QString& unreadable);
    void UploadText(Items items, const QString* file, const QByteArray& bytes,
                    TProgressHandler progress, QString& text, const char* fallback);

    qint32 m_challenge = 0;
    QString m_rememberedPassword;
    TAnswer m_lastAnswer;
    QString m_lastError; // error text of the last reply read into m_lastAnswer
    TTextHandler m_serverMessageHandler;
    std::unique_ptr<LMSocket> m_socket;
};
