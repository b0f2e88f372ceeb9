#include <gtest/gtest.h>

#include <QObject>
#include <QVariant>

#include "components/data/common/TdvPaintCopy.h"
#include "components/data/common/dvCommon.h"
#include "components/data/common/dvControlState.h"
#include "components/data/settings/dvProperties.h"
#include "platform/db/datasets/TDataSource.h"

namespace {

// A control that publishes the library's properties.
class TComPropriedades : public QObject, public IdvPublished {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource MEMBER FDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
    Q_PROPERTY(bool WantReturns MEMBER FWantReturns)
    Q_PROPERTY(int BorderStyle MEMBER FBorderStyle)
    Q_PROPERTY(bool PictureMaskFromDataSet MEMBER FPictureMaskFromDataSet)

public:
    QStringList* PublishedPictureMasks() override { return &FPictureMasks; }

    QStringList FPictureMasks;
    TDataSource* FDataSource = nullptr;
    QString FDataField;
    bool FWantReturns = true;
    int FBorderStyle = bsNone;
    bool FPictureMaskFromDataSet = false;
};

class TCustomGrid : public QObject {
    Q_OBJECT
};

class TdvDBGrid : public TCustomGrid {
    Q_OBJECT
};

class TdvDataInspector : public QObject {
    Q_OBJECT
};

}   // namespace

TEST(PropertiesByName, ReachWhatAComponentPublishes)
{
    TComPropriedades componente;
    TDataSource fonte;
    componente.FPictureMasks = {QStringLiteral("UF\t&&")};

    IdvPublished* publicado = dvPublished(&componente);
    ASSERT_EQ(publicado, static_cast<IdvPublished*>(&componente));
    ASSERT_EQ(dvGetPictureMasks(publicado), &componente.FPictureMasks);
    dvGetPictureMasks(publicado)->append(QStringLiteral("CEP\t#####-###"));
    EXPECT_EQ(componente.FPictureMasks.size(), 2);
    EXPECT_EQ(dvGetControlType(publicado), nullptr);

    EXPECT_EQ(dvGetDataSource(&componente), nullptr);
    EXPECT_TRUE(dvSetDataSource(&componente, &fonte));
    EXPECT_EQ(componente.FDataSource, &fonte);
    EXPECT_EQ(dvGetDataSource(&componente), &fonte);

    EXPECT_TRUE(dvSetDataField(&componente, QStringLiteral("NOME")));
    QString campo;
    dvGetDataField(&componente, campo);
    EXPECT_EQ(campo, QStringLiteral("NOME"));

    EXPECT_TRUE(dvGetWantReturns(&componente));
    EXPECT_TRUE(dvSetBorderStyle(&componente, true));
    EXPECT_EQ(componente.FBorderStyle, bsSingle);
    EXPECT_FALSE(dvGetPictureMaskFromDataSet(&componente));
}

TEST(PropertiesByName, GiveTheDefaultsWhenAbsentAndInventNothing)
{
    QObject simples;
    EXPECT_EQ(dvPublished(&simples), nullptr);
    EXPECT_EQ(dvGetPictureMasks(nullptr), nullptr);
    EXPECT_EQ(dvGetLookupLinks(dvPublished(&simples)), nullptr);
    EXPECT_FALSE(dvGetOnInvalidValue(nullptr));
    EXPECT_EQ(dvGetMasterSource(nullptr), nullptr);
    EXPECT_TRUE(dvGetDatabaseName(nullptr).isEmpty());
    dvSetOnFilterEnabled(nullptr, false);
    EXPECT_EQ(dvGetDataSource(&simples), nullptr);
    EXPECT_FALSE(dvSetDataSource(&simples, nullptr));
    QString campo = QStringLiteral("intacto");
    dvGetDataField(&simples, campo);
    EXPECT_EQ(campo, QStringLiteral("intacto"));
    EXPECT_FALSE(dvSetDataField(&simples, QStringLiteral("NOME")));
    EXPECT_FALSE(dvSetBorderStyle(&simples, true));
    EXPECT_FALSE(dvGetWantReturns(&simples));
    EXPECT_TRUE(dvGetPictureMaskFromDataSet(&simples));
    EXPECT_TRUE(simples.dynamicPropertyNames().isEmpty());

    // A dynamic property takes part like a declared one.
    simples.setProperty("WantReturns", true);
    EXPECT_TRUE(dvGetWantReturns(&simples));
}

TEST(ControlState, RecognisesClassesByNameAlongTheAncestors)
{
    TdvDBGrid grade;
    QObject editor(&grade);
    QObject solto;
    EXPECT_TRUE(dvIsClass(grade.metaObject(), QStringLiteral("tcustomgrid")));
    EXPECT_TRUE(dvIsClass(grade.metaObject(), QStringLiteral("QObject")));
    EXPECT_FALSE(dvIsClass(grade.metaObject(), QStringLiteral("TCustom")));
    EXPECT_TRUE(dvIsParentCustomGrid(&editor));
    EXPECT_FALSE(dvIsParentCustomGrid(&grade));
    EXPECT_FALSE(dvIsParentCustomGrid(&solto));
    EXPECT_FALSE(dvIsParentInspector(&editor));
    EXPECT_FALSE(dvIsDesigning(&editor));
}

TEST(ControlState, APaintedCopyLastsWhileTheGridMarksIt)
{
    TdvDataInspector inspetor;
    TdvDBGrid grade;
    QObject noInspetor(&inspetor);
    QObject naGrade(&grade);
    EXPECT_FALSE(dvIsPaintCopyState(&naGrade));
    {
        TdvPaintCopy copia(&naGrade);
        TdvPaintCopy outra(&noInspetor);
        EXPECT_TRUE(dvIsPaintCopyState(&naGrade));
        EXPECT_FALSE(dvIsPaintCopyInInspector(&naGrade)) << "a grid is no inspector";
        EXPECT_TRUE(dvIsPaintCopyInInspector(&noInspetor));
        {
            TdvPaintCopy dentro(&naGrade);
        }
        EXPECT_TRUE(dvIsPaintCopyState(&naGrade)) << "marks nest";
    }
    EXPECT_FALSE(dvIsPaintCopyState(&naGrade));
    EXPECT_FALSE(dvIsPaintCopyInInspector(&noInspetor));
    EXPECT_FALSE(dvIsPaintCopyState(nullptr));
    {
        auto* some = new QObject;
        TdvPaintCopy copia(some);
        delete some;   // the mark outlives its control without harm
    }
}

TEST(EditKeys, AreThoseThatTypeOrEraseText)
{
    for (int tecla : {int(Qt::Key_Backspace), int(Qt::Key_Space), int(Qt::Key_Delete), int(Qt::Key_0), int(Qt::Key_A),
                      int(Qt::Key_Z), int(Qt::Key_Comma), int(Qt::Key_Semicolon), int(Qt::Key_BracketLeft),
                      int(Qt::Key_Ccedilla), int(Qt::Key_Slash)})
        EXPECT_TRUE(dvIsEditKey(tecla)) << tecla;
    for (int tecla : {int(Qt::Key_Left), int(Qt::Key_Up), int(Qt::Key_Right), int(Qt::Key_Down), int(Qt::Key_F1),
                      int(Qt::Key_F24), int(Qt::Key_Shift), int(Qt::Key_Escape), int(Qt::Key_Return), int(Qt::Key_Home),
                      int(Qt::Key_Tab), int(Qt::Key_Insert)})
        EXPECT_FALSE(dvIsEditKey(tecla)) << tecla;
}

#include "dvPropertiesTest.moc"
