#pragma once

#include <QString>

// A self-signed certificate for the HTTPS side, so that the simulator runs
// without anyone making one by hand: an EC P-256 key, X.509 v3, valid for
// ten years, subject CN=localhost, subject alternative names DNS:localhost
// and IP:127.0.0.1, and CA:TRUE so that a client can take the certificate
// file itself as the one it trusts. The key file is written with mode 0600.
// Returns an error text, empty on success.
QString MakeSelfSignedCertificate(const QString& certFile, const QString& keyFile);

// The certificate and key the HTTPS side uses: `certFile` and `keyFile`
// when given, else nura-sim-cert.pem and nura-sim-key.pem in `dataFolder`,
// made when either is missing. Returns an error text, empty on success.
QString PrepareCertificate(const QString& dataFolder, QString& certFile, QString& keyFile);
