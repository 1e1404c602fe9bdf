// Where a lesson stops in the key distribution and what it says there. The
// captions follow what the run really does: the draws, Eve's rule, the check.
#include "bb84/key_lesson.h"

#include "bb84/key_distribution.h"

namespace {

// The band goes where the stage's own action is not: photons fly low along the
// quantum channel, messages high along the classical one, the check's read-out
// stands at the bottom of the scene.
constexpr bool top = true;
constexpr bool bottom = false;

LessonCaption sendingCaption(bool eve) {
    return {eve ? "For each photon A draws a random bit (row k) and sends\n"
                  "it polarized in her basis. B measures in his own.\n"
                  "Eve listens at E, halfway along the quantum channel."
                : "For each photon A draws a random bit (row k) and sends\n"
                  "it polarized in her basis. B measures in his own:\n"
                  "same basis, he gets A's bit; other basis, a random bit.",
            top};
}

// Eve lit, listening to only a share of the photons.
bool listensToSome(const KeyProtocol& protocol) { return protocol.eve && protocol.eveShare < 1; }

LessonCaption errorCheckCaption(const KeyProtocol& protocol) {
    const bool eve = protocol.eve;
    if (listensToSome(protocol)) {
        return {"A reads out half the kept bits, B his. Where Eve\n"
                "listened and guessed the wrong basis, B's bit is wrong\n"
                "half the time. A red mark betrays her.",
                top};
    }
    return {eve ? "A reads out half the kept bits, B his. Where Eve\n"
                  "guessed the wrong basis, B's bit is wrong half the\n"
                  "time: one kept bit in four. A red mark betrays her."
                : "A reads out the bits of half the kept columns, B his.\n"
                  "Green marks equal bits; red would mean a listener.\n"
                  "These bits are public now, so they leave the key.",
            top};
}

LessonCaption verdictCaption(const KeyProtocol& protocol) {
    if (protocol.check.differing > 0) {
        return {"A difference gives the listener away: without one,\n"
                "kept bits always agree. A and B throw the whole key\n"
                "away and start again.",
                top};
    }
    if (listensToSome(protocol)) {
        return {"Eve slipped through: each compared bit missed her with\n"
                "chance 1 - share/4. The less she listens, the less she\n"
                "learns, and the more often she gets away with it.",
                top};
    }
    if (protocol.eve) {
        return {"Eve slipped through: each compared bit missed her\n"
                "with chance 3/4. Comparing more bits would catch her.\n"
                "Run it again: most runs find her.",
                top};
    }
    return {"No compared bit differs: nobody listened. The amber\n"
            "bits left in the Key row are A's and B's secret key,\n"
            "never said in public.",
            top};
}

}  // namespace

int keyLessonStop(const KeyDistribution& model) {
    const KeyProtocol& protocol = model.protocol;
    if (protocol.countMode) return playsOn;
    switch (model.phase) {
    case generatingA:
    case basesOfA:
        return basesOfAStop;
    case generatingB:
    case basesOfB:
        return basesOfBStop;
    case sendingPhotons:
        // The first photon past Eve's station, measured by her or let pass.
        return protocol.eve && (protocol.columns[0].eveState >= 0 || protocol.columns[0].evePassed)
                   ? eveStationStop
                   : sendingStop;
    case announcingBases:
        return basesComparedStop;
    case droppingKeyRows:
    case markingSender:
        return keyRowsStop;
    case sendingNumbers:
    case markingReceiver:
    case erasing:
        return siftingStop;
    case checkingErrors:
        return protocol.check.decided ? verdictStop : errorCheckStop;
    default:
        return playsOn;
    }
}

LessonCaption keyLessonCaption(const KeyDistribution& model, int stop) {
    const bool eve = model.protocol.eve;
    switch (stop) {
    case basesOfAStop:
        return {model.linearDiagonal
                    ? "A picks a basis at random for each of the 32 photons:\n"
                      "0 = horizontal/vertical, 1 = diagonal (row k').\n"
                      "Nobody else knows her choices."
                    : "A picks a basis at random for each of the 32 photons:\n"
                      "0 = horizontal/vertical, 1 = circular (row k').\n"
                      "Nobody else knows her choices.",
                bottom};
    case basesOfBStop:
        return {"B picks his own 32 bases at random, not knowing A's.\n"
                "In about half of the columns the two will agree.",
                bottom};
    case sendingStop:
        return sendingCaption(eve);
    case eveStationStop:
        if (listensToSome(model.protocol)) {
            return {"Eve listens to only some photons; the rest fly on.\n"
                    "One she listens to, she measures in a basis she\n"
                    "guesses and sends on anew: a wrong guess changes it.",
                    top};
        }
        return {"Eve cannot copy a photon: she measures it in a basis\n"
                "she guesses and sends B a new one with her result.\n"
                "Half the time her basis is wrong: the photon changes.",
                top};
    case basesComparedStop:
        return {"In public, B tells A his bases, never his bits.\n"
                "A marks in red her bases that agree with his:\n"
                "only there did both use the same basis.",
                bottom};
    case keyRowsStop:
        return {"Both copy their bits into the Key row, and A marks\n"
                "the columns where the bases agreed, about half.\n"
                "There, is B's bit always A's? Compare the rows k.",
                bottom};
    case siftingStop:
        return {"A sends B the numbers of the agreeing columns. Both\n"
                "keep those bits and wipe the rest: where the bases\n"
                "differed, B's result was pure chance.",
                bottom};
    case errorCheckStop:
        return errorCheckCaption(model.protocol);
    case verdictStop:
        return verdictCaption(model.protocol);
    default:
        return {};
    }
}

LessonCaption keyLessonEnd(const KeyDistribution& model) {
    const KeyProtocol& protocol = model.protocol;
    if (!protocol.countMode) return {};
    if (listensToSome(protocol)) {
        return {"Kept bits near 50 %: the bases agree half the time.\n"
                "Beside each rate stands what Eve's share predicts:\n"
                "errors share x 25 %, her exact bits share x 50 %.",
                bottom};
    }
    return {protocol.eve ? "Kept bits near 50 %: the bases agree half the time.\n"
                           "Error rate near 25 %: Eve is caught in 9 rounds of 10."
                         : "Kept bits near 50 %: the bases agree half the time.\n"
                           "Without Eve no compared bit ever differs: 0 %.",
            bottom};
}
