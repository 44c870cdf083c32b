#pragma once
// The attestation formats: one line per hit of the word search, with the signum, the page
// mark, the parallel words of other files and chosen information columns, in columns of ten.

#include "output/visit.h"

namespace stavbas {

class TBelaggFormat : public TFormat {
 public:
  TBelaggFormat() : TFormat(LayoutKind::kAttestation) {}
  bool Accept(char c) override { return AcceptAttestationCharacter(items().back(), c); }
  void RecordHit(Visit& visit) override { BelaggFunnet(visit); }
  void FinishInscription(Visit& visit) override;

  // Writes one attestation line for the hit at the current word position.
  void BelaggFunnet(Visit& visit);

 protected:
  explicit TBelaggFormat(LayoutKind kind) : TFormat(kind) {}
};

// One line for every reading of a hit word that satisfies the word search.
class TDelatBelaggFormat : public TBelaggFormat {
 public:
  TDelatBelaggFormat() : TBelaggFormat(LayoutKind::kSplitAttestation) {}
  void RecordHit(Visit& visit) override;
};

}  // namespace stavbas
