#include "accounts/accounts.h"
#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "store/actionscope.h"

#include <QTest>

// The rules of accounts: the access level, login names taken and account numbers.
class TestAccounts : public StoreTest {
    Q_OBJECT

    void account(const QString& number, const QString& login, const QString& year) {
        db->exec(QStringLiteral("insert into t_usuario (cod_usuario, usuario, tipo, gestion, "
                                "contra, activo) values ('%1', '%2', '3', '%3', 'x', 'SI')")
                     .arg(number, QString(login).replace("'", "''"), year));
    }

private slots:
    void theLevelIsTickedFromTheTop() {
        const AccessLevel::Nodes nodes{QStringLiteral("V01"), QStringLiteral("V01D01"),
                                       QStringLiteral("V01D01U01")};
        struct Case {
            bool l1, l2, l3;
            std::optional<int> nivel;
            QString unidad;
        };
        const QList<Case> cases{{true, true, true, 3, QStringLiteral("V01D01U01")},
                                {true, true, false, 2, QStringLiteral("V01D01")},
                                {true, false, false, 1, QStringLiteral("V01")},
                                {false, true, false, {}, {}},
                                {false, false, true, {}, {}},
                                {true, false, true, {}, {}},
                                {false, true, true, {}, {}},
                                {false, false, false, {}, {}}};
        for (const Case& t : cases) {
            const AccessLevel level = AccessLevel::of(t.l1, t.l2, t.l3, nodes);
            QCOMPARE(level.nivel, t.nivel);
            QCOMPARE(level.unidad, t.unidad);
        }
    }

    void accountNumbersCountPerYearAsNumbers() {
        Accounts accounts(c.get());
        {
            ActionScope scope;
            QCOMPARE(accounts.newNumber(QStringLiteral("2010")), 1);
        }
        account(QStringLiteral("9"), QStringLiteral("a"), QStringLiteral("2009"));
        account(QStringLiteral("10"), QStringLiteral("b"), QStringLiteral("2009"));
        account(QStringLiteral("40"), QStringLiteral("c"), QStringLiteral("2010"));
        ActionScope scope;
        QCOMPARE(accounts.newNumber(QStringLiteral("2009")), 11);
        QCOMPARE(accounts.newNumber(QStringLiteral("2010")), 41);
    }

    void aLoginNameIsTakenOnlyInItsYear() {
        Accounts accounts(c.get());
        account(QStringLiteral("1"), QStringLiteral("o'brien"), QStringLiteral("2009"));
        QVERIFY(accounts.loginTaken(QStringLiteral("o'brien"), QStringLiteral("2009")));
        QVERIFY(!accounts.loginTaken(QStringLiteral("o'brien"), QStringLiteral("2008")));
        QVERIFY(!accounts.loginTaken(QStringLiteral("x' or '1'='1"), QStringLiteral("2009")));
    }

    void typeAndKindNames() {
        Accounts accounts(c.get());
        QCOMPARE(accounts.typeName(1), QStringLiteral("Administrador"));
        QCOMPARE(accounts.typeName(99), QString());
        QCOMPARE(accounts.kindName(QStringLiteral("EX")), QStringLiteral("Entidad desconcentrada"));
    }
};

MONITOREO_TEST_MAIN(new TestAccounts)
#include "tst_accounts.moc"
