#pragma once

#include "connection.h"
#include "demo_data.h"
#include "json_endpoint.h"

#include "client/password_encoding.h"

#include <QFile>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

// The HTTPS side without sockets over a fresh copy of the demo data: tests
// post request documents to the endpoint and read the reply documents.
// Options may be changed in a test before the first request.
class SimJsonTest : public testing::Test
{
protected:
    using json = nlohmann::json;

    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_EQ(CopyDemoData(m_folder.path()), QString());
        m_options.quiet = true;
        ASSERT_EQ(m_data.Load(m_folder.path(), m_options), QString());
        ASSERT_EQ(m_record.Open(RecordPath()), QString());
    }

    static std::string Body(const QString& id, const std::string& label, const json& items)
    {
        const json call = json::array({id.toStdString(), label, items});
        return json{{"exec", json::array({json::array({"nuraLegacyProtocol", call})})}}.dump();
    }

    // Posts in the conversation `id`, which takes the id of the reply.
    HttpAnswer PostRaw(QString& id, const std::string& label, const json& items)
    {
        const HttpAnswer answer = m_endpoint.Serve(Body(id, label, items));
        json reply = json::parse(answer.body, nullptr, false);
        if (answer.status == 200 && !answer.gzip && reply.is_array() &&
            reply[0]["data"]["connection_id"].is_string())
            id = QString::fromStdString(reply[0]["data"]["connection_id"].get<std::string>());
        return answer;
    }

    // The results of a well-formed reply; null when the reply is not one.
    json Post(QString& id, const std::string& label, const json& items)
    {
        const HttpAnswer answer = PostRaw(id, label, items);
        json reply = json::parse(answer.body, nullptr, false);
        if (answer.status != 200 || !reply.is_array() || reply.size() != 1 ||
            reply[0]["status"] != 200)
            return nullptr;
        return reply[0]["data"]["results"];
    }

    // Greets and logs in as `user` in a new conversation; returns its id.
    QString LogIn(const char* user = "demo", const char* password = "demo")
    {
        QString id;
        Post(id, "Hello", {{0, 253}, {2, "JSON|test"}});
        const json challenge = Post(id, "Login Name", {{0, 128}, {2, user}});
        const qint32 number = std::stoi(challenge.at(1).at(1).get<std::string>());
        const QString encoded = EncodePassword(QString::fromUtf8(password), number);
        Post(id, "Login Password", {{0, 129}, {2, encoded.toStdString()}});
        return id;
    }

    QString RecordPath() const { return m_folder.filePath(QStringLiteral("record.txt")); }
    QStringList Recorded() const
    {
        QFile file(RecordPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir m_folder;
    SimOptions m_options;
    SimData m_data;
    RecordLog m_record;
    std::atomic<bool> m_stopping{false};
    RequestHandler m_handler{m_data, m_options};
    FaultSwitches m_faults{m_options};
    SimContext m_context{m_options, m_data, m_handler, m_faults, m_record, m_stopping};
    JsonEndpoint m_endpoint{m_context};
};
