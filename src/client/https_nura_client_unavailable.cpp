// The slots the HTTPS protocol does not carry, and the ones its server
// refuses: they are answered here without a request.

#include "client/https_nura_client.h"

namespace {

QString Unavailable()
{
    return QString::fromUtf8("Funkcja niedostępna");
}

TNuraRecordPtr RefusedRecord()
{
    auto record = std::make_unique<TNuraRecord>();
    record->count = 1;
    record->fields[0] = Unavailable();
    return record;
}

} // namespace

void THTTPSNuraClient::Unavailable() const
{
    messageHandler(::Unavailable());
}

void THTTPSNuraClient::SetServerString(const QString& /*s1*/, QString& text)
{
    Unavailable();
    text = ::Unavailable();
}

void THTTPSNuraClient::GetServerStrings(QString& value, QString& status)
{
    Unavailable();
    value.clear();
    status = ::Unavailable();
}

bool THTTPSNuraClient::FileGet(const QString& /*name*/, const QString& /*file*/,
                               TProgressHandler /*progress*/)
{
    Unavailable();
    return false;
}

void THTTPSNuraClient::FileQuery(const QString& /*name*/, QString& text)
{
    Unavailable();
    text.clear();
}

bool THTTPSNuraClient::FilePut(const QString& /*file*/, const QString& /*name*/,
                               TProgressHandler /*progress*/)
{
    Unavailable();
    return false;
}

void THTTPSNuraClient::RecordSignal(const QString& /*s1*/, const QString& /*s2*/, TAnswer& answer)
{
    Unavailable();
    answer = TAnswer();
}

void THTTPSNuraClient::Circulation23(TAnswer& answer)
{
    Unavailable();
    answer = TAnswer();
}

void THTTPSNuraClient::Circulation32(const QString& /*s1*/, const QString& /*s2*/, TAnswer& answer,
                                     const QString& /*s3*/, const QString& /*s4*/)
{
    Unavailable();
    answer = TAnswer();
}

TNuraRecordPtr THTTPSNuraClient::GetStatusA()
{
    return RefusedRecord();
}

TNuraRecordPtr THTTPSNuraClient::GetStatusB()
{
    return RefusedRecord();
}

TNuraRecordPtr THTTPSNuraClient::GetStatusC()
{
    return RefusedRecord();
}

void THTTPSNuraClient::CommandPair(const QString& /*s1*/, QString& first, QString& second)
{
    first = ::Unavailable();
    second.clear();
}
