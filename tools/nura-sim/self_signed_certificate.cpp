#include "self_signed_certificate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr long kTenYearsSeconds = 10L * 366 * 24 * 60 * 60;

template <typename T, void (*Free)(T*)> struct Freer
{
    void operator()(T* p) const { Free(p); }
};
using KeyPtr = std::unique_ptr<EVP_PKEY, Freer<EVP_PKEY, EVP_PKEY_free>>;
using CertPtr = std::unique_ptr<X509, Freer<X509, X509_free>>;
using ExtensionPtr = std::unique_ptr<X509_EXTENSION, Freer<X509_EXTENSION, X509_EXTENSION_free>>;

void CloseFile(FILE* file)
{
    std::fclose(file);
}
using FilePtr = std::unique_ptr<FILE, Freer<FILE, CloseFile>>;

QString OpenSslError(const char* step)
{
    const unsigned long code = ERR_get_error();
    char text[256] = {};
    ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    return QStringLiteral("certificate: %1 failed (%2)")
        .arg(QLatin1String(step), QString::fromLatin1(text));
}

bool AddExtension(X509* cert, int nid, const char* value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
    const ExtensionPtr extension(X509V3_EXT_conf_nid(nullptr, &context, nid, value));
    return extension && X509_add_ext(cert, extension.get(), -1) == 1;
}

bool SetNameAndValidity(X509* cert)
{
    unsigned char serial[16];
    if (RAND_bytes(serial, sizeof serial) != 1)
        return false;
    serial[0] &= 0x7F; // a positive serial number
    BIGNUM* number = BN_bin2bn(serial, sizeof serial, nullptr);
    const bool serialSet =
        number != nullptr && BN_to_ASN1_INTEGER(number, X509_get_serialNumber(cert)) != nullptr;
    BN_free(number);
    X509_NAME* name = X509_get_subject_name(cert);
    return serialSet && X509_set_version(cert, 2) == 1 &&
           X509_gmtime_adj(X509_getm_notBefore(cert), -60) != nullptr &&
           X509_gmtime_adj(X509_getm_notAfter(cert), kTenYearsSeconds) != nullptr &&
           X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                      reinterpret_cast<const unsigned char*>("localhost"), -1, -1,
                                      0) == 1 &&
           X509_set_issuer_name(cert, name) == 1;
}

bool AddExtensions(X509* cert)
{
    return AddExtension(cert, NID_basic_constraints, "critical,CA:TRUE") &&
           AddExtension(cert, NID_key_usage,
                        "critical,digitalSignature,keyEncipherment,keyCertSign") &&
           AddExtension(cert, NID_ext_key_usage, "serverAuth") &&
           AddExtension(cert, NID_subject_alt_name, "DNS:localhost,IP:127.0.0.1") &&
           AddExtension(cert, NID_subject_key_identifier, "hash") &&
           AddExtension(cert, NID_authority_key_identifier, "keyid:always");
}

// Opens `path` for writing with `mode`, also when the file was there with
// a wider one.
FilePtr CreateFile(const QString& path, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (descriptor < 0)
        return nullptr;
    if (fchmod(descriptor, mode) != 0) {
        close(descriptor);
        return nullptr;
    }
    FILE* file = fdopen(descriptor, "w");
    if (file == nullptr)
        close(descriptor);
    return FilePtr(file);
}

QString WritePem(const QString& certFile, const QString& keyFile, X509* cert, EVP_PKEY* key)
{
    {
        const FilePtr file = CreateFile(keyFile, 0600);
        if (!file ||
            PEM_write_PrivateKey(file.get(), key, nullptr, nullptr, 0, nullptr, nullptr) != 1)
            return QStringLiteral("certificate: cannot write the key %1").arg(keyFile);
        if (std::fflush(file.get()) != 0)
            return QStringLiteral("certificate: cannot write the key %1").arg(keyFile);
    }
    const FilePtr file = CreateFile(certFile, 0644);
    if (!file || PEM_write_X509(file.get(), cert) != 1 || std::fflush(file.get()) != 0)
        return QStringLiteral("certificate: cannot write %1").arg(certFile);
    return {};
}

} // namespace

QString MakeSelfSignedCertificate(const QString& certFile, const QString& keyFile)
{
    const KeyPtr key(EVP_EC_gen("P-256"));
    if (!key)
        return OpenSslError("key generation");
    const CertPtr cert(X509_new());
    if (!cert)
        return OpenSslError("X509_new");
    if (!SetNameAndValidity(cert.get()) || X509_set_pubkey(cert.get(), key.get()) != 1)
        return OpenSslError("subject and validity");
    if (!AddExtensions(cert.get()))
        return OpenSslError("extensions");
    if (X509_sign(cert.get(), key.get(), EVP_sha256()) == 0)
        return OpenSslError("signing");
    return WritePem(certFile, keyFile, cert.get(), key.get());
}

QString PrepareCertificate(const QString& dataFolder, QString& certFile, QString& keyFile)
{
    if (!certFile.isEmpty() && !keyFile.isEmpty()) {
        for (const QString& file : {certFile, keyFile}) {
            if (!QFileInfo(file).isFile())
                return QStringLiteral("certificate: no file %1").arg(file);
        }
        certFile = QFileInfo(certFile).absoluteFilePath();
        keyFile = QFileInfo(keyFile).absoluteFilePath();
        return {};
    }
    const QDir folder(dataFolder);
    certFile = QFileInfo(folder.filePath(QStringLiteral("nura-sim-cert.pem"))).absoluteFilePath();
    keyFile = QFileInfo(folder.filePath(QStringLiteral("nura-sim-key.pem"))).absoluteFilePath();
    if (QFileInfo(certFile).isFile() && QFileInfo(keyFile).isFile())
        return {};
    return MakeSelfSignedCertificate(certFile, keyFile);
}
