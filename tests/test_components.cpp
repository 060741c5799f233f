#include "controls/Form.h"
#include "framework/Component.h"
#include "framework/ConnectGuarded.h"
#include "framework/Exceptions.h"
#include "tests/TestMain.h"

#include <QSignalSpy>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace controls;
using namespace framework;

namespace {

// Records the order of Loaded calls and the states seen by them.
struct Journal {
    std::vector<QString> loaded;
};

class Probe : public Component {
public:
    Probe(Journal& journal, QString name)
        : journal_(journal)
        , name_(std::move(name))
    {
    }
    void Loaded() override
    {
        Component::Loaded();
        journal_.loaded.push_back(name_);
        if (onLoaded)
            onLoaded();
    }
    std::function<void()> onLoaded;

private:
    Journal& journal_;
    QString name_;
};

}  // namespace

class ComponentsTest : public QObject {
    Q_OBJECT
private slots:
    void loadedRunsInCreationOrderAfterReading()
    {
        Journal journal;
        Probe root(journal, "root");
        std::unique_ptr<Probe> a, b;
        bool loadingWhileRead = false;
        LayoutReading::Read(
            [&] {
                a = std::make_unique<Probe>(journal, "a");
                b = std::make_unique<Probe>(journal, "b");
                loadingWhileRead = a->IsLoading() && a->IsReading() && root.IsLoading();
                QVERIFY(journal.loaded.empty());
            },
            &root);
        QVERIFY(loadingWhileRead);
        QCOMPARE(journal.loaded, (std::vector<QString>{"root", "a", "b"}));
        QVERIFY(!a->IsLoading() && !a->IsReading() && !b->IsLoading() && !root.IsLoading());

        Probe later(journal, "later");
        QVERIFY(!later.IsLoading());
    }

    void everyComponentIsDoneReadingBeforeTheFirstLoaded()
    {
        Journal journal;
        std::unique_ptr<Probe> a, b;
        bool secondStillReading = true;
        LayoutReading::Read([&] {
            a = std::make_unique<Probe>(journal, "a");
            b = std::make_unique<Probe>(journal, "b");
            a->onLoaded = [&] { secondStillReading = b->IsReading(); };
        });
        QVERIFY(!secondStillReading);
    }

    void aComponentFreedBeforeItsTurnIsSkipped()
    {
        Journal journal;
        std::unique_ptr<Probe> a, b, c;
        LayoutReading::Read([&] {
            a = std::make_unique<Probe>(journal, "a");
            b = std::make_unique<Probe>(journal, "b");
            c = std::make_unique<Probe>(journal, "c");
            b.reset();                         // freed while reading
            a->onLoaded = [&] { c.reset(); };  // freed by an earlier Loaded
        });
        QCOMPARE(journal.loaded, (std::vector<QString>{"a"}));
    }

    void componentsMadeInLoadedAreNotLoading()
    {
        Journal journal;
        std::unique_ptr<Probe> a, made;
        LayoutReading::Read([&] {
            a = std::make_unique<Probe>(journal, "a");
            a->onLoaded = [&] { made = std::make_unique<Probe>(journal, "made"); };
        });
        QVERIFY(made && !made->IsLoading());
        QCOMPARE(journal.loaded, (std::vector<QString>{"a"}));
    }

    void aFailedReadingLeavesNothingLoading()
    {
        Journal journal;
        std::unique_ptr<Probe> a, b;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, LayoutReading::Read([&] {
            a = std::make_unique<Probe>(journal, "a");
            throw std::runtime_error("corrupt layout");
        }));
        QVERIFY(!a->IsLoading() && !a->IsReading());
        QVERIFY(journal.loaded.empty());

        QVERIFY_THROWS_EXCEPTION(std::runtime_error, LayoutReading::Read([&] {
            a = std::make_unique<Probe>(journal, "a");
            b = std::make_unique<Probe>(journal, "b");
            a->onLoaded = [] { throw std::runtime_error("bad value"); };
        }));
        QVERIFY(!b->IsLoading());
        Probe after(journal, "after");
        QVERIFY(!after.IsLoading());
    }

    void nestedReadingsKeepTheirOwnComponents()
    {
        Journal journal;
        std::unique_ptr<Probe> outer, inner;
        bool outerLoadingDuringInner = false;
        LayoutReading::Read([&] {
            outer = std::make_unique<Probe>(journal, "outer");
            LayoutReading::Read([&] { inner = std::make_unique<Probe>(journal, "inner"); });
            outerLoadingDuringInner = outer->IsLoading();
        });
        QVERIFY(outerLoadingDuringInner);
        QCOMPARE(journal.loaded, (std::vector<QString>{"inner", "outer"}));
    }

    void formCreateRunsAfterLoadingAndItsErrorsAreContained()
    {
        auto* application = Application::Instance();
        QSignalSpy reported(application, &Application::ExceptionReported);
        TForm form;
        bool loadingAtCreate = true;
        ConnectGuarded(&form, &TForm::OnCreate, &form, [&](QObject* sender) {
            loadingAtCreate = form.IsLoading();
            QCOMPARE(sender, &form);
            throw Exception("create failed");
        });
        LayoutReading::Read([] {}, &form);
        form.AfterConstruction();
        QVERIFY(!loadingAtCreate);
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0).at(1).toString(), QString("create failed"));
    }
};

STUDIO_CLOCK_TEST_MAIN(ComponentsTest)
#include "test_components.moc"
