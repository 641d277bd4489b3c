#pragma once
// The model parameters of an emulated register: numbered values (integer,
// boolean or text) with their descriptions, as the model answers them.
#include <QString>
#include <QVariant>
#include <vector>

struct ModelParam {
    int Number = 0;
    QString Description;
    QVariant Value;  // int, bool or QString
};

class RegisterModelParams {
public:
    // The parameters of a model: ModelId; TypeTwo marks the newer generation
    // (cash core, FFD code in table 10).
    void Build(int modelId, bool typeTwo);

    const std::vector<ModelParam>& All() const { return FParams; }
    const ModelParam* Find(int number) const;
    // Sets a parameter's value (adds the parameter when missing).
    void Set(int number, const QVariant& value);

private:
    std::vector<ModelParam> FParams;
};
