#include "import/usa_segments.h"

#include "model/interaction.h"
#include "model/schedule_document.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace tl {

const std::string_view kUsaStationList =
    "ABR-ABI-CAK-ALB-ABQ-ESF-ABE-APN-AMA-ANC-ATW-AVL-ASE-ATL-AIY-AGS-AUS-BFL-BWI-BGR-"
    "BRW-BTR-MBS-BPT-BED-BJI-BEH-BET-ABE-BIL-BIX-BGM-BHM-BIS-BMI-BLF-BOI-BOS-WBU-BWG-"
    "BZN-BRD-TRI-BRO-BUF-IFP-BUR-BTV-BTM-CAK-CID-CMI-CHS-CRW-CLT-CHA-CYS-CHI-MDW-ORD-"
    "CVG-CKB-CLE-CVN-CLL-COS-COU-CAE-CSG-GTR-CMH-CCR-CNK-CDV-CRP-DFW-DAY-DAB-DEN-DSM-"
    "DTT-DTW-DUJ-DBQ-DLH-RDU-DRO-RDU-DUT-ABE-EAU-ELD-IPL-ELP-ELM-ERI-ESC-EUG-EVV-FAI-"
    "FAR-FYV-FLG-FNT-FLO-FOD-FLL-RSW-FSM-VPS-FWA-DFW-FKL-FAT-GNV-GCK-GYY-GCC-GGW-GCN-"
    "GFK-GJT-GRR-GPZ-GTF-GRB-GSO-GLH-GSP-GPT-GUC-SUN-HNS-PHF-HNM-PAK-CMX-HRL-MDT-HRO-"
    "HDN-BDL-HIB-GSO-ITO-HHH-HBB-HOM-HNL-MKK-HOT-HOU-HOU-IAH-HSV-HON-IDA-IND-INL-IMT-"
    "IWD-ISP-JAN-MKL-JAC-JAX-OAJ-JVL-TRI-JLN-JNU-AZO-MCI-LIH-EEN-KTN-EYW-ILE-TRI-IRK-"
    "LMT-TYS-ADQ-KOA-LSE-LAF-LFT-LCH-LNY-LNS-LAN-LAR-LRD-LAS-PIB-LAW-LEX-LNK-LIT-LGB-"
    "GGG-LAX-SDF-LBB-MCN-MSN-MHT-MHK-MKT-MQT-MCW-OGG-MFE-MFR-MLB-MEM-MEI-MIA-MBS-MAF-"
    "MKE-MSP-MOT-MOB-MLI-MLU-MRY-MGM-MWH-MSL-MKG-MYR-ACK-APF-BNA-HVN-MSY-NYC-JFK-LGA-"
    "EWR-SWF-PHF-OME-ORF-OAK-MAF-OKC-OMA-ONT-SNA-MCO-OSH-OWB-OXR-PAH-PSP-PFN-PLN-PNS-"
    "PIA-PHL-PHX-PIR-PIP-PIT-PLB-PSE-BPT-PWM-PDX-PVD-UIN-RDU-RDG-RNO-RHI-RIC-ROA-RST-"
    "ROC-RFD-ROW-SMF-MBS-STC-SGU-STL-SLC-SJT-SAT-SAN-SFO-SJC-SJU-SBP-SNA-SBA-SAF-SMX-"
    "SRQ-CIU-SAV-SEA-SHV-SUX-FSD-SIT-SBN-GSP-GEG-SPI-SGF-SCE-SBS-CWA-SWF-SUN-SYR-TLH-"
    "TPA-HUF-TXK-TVF-TOL-FOE-TVC-TUS-TUL-TUP-TCL-TWF-TYR-CMI-UCA-EGE-VDZ-VLD-VPS-ACT-"
    "ALW-WAS-IAD-DCA-ALO-ATY-CWA-PBI-HPN-ICT-SPS-AVP-PHF-IPT-ISN-ORH-YKM-YAK-YUM-YNG-";

namespace {

// A set of three-letter codes, one bit per possible code.
class StationSet {
public:
    StationSet()
    {
        for (size_t i = 0; i + 4 <= kUsaStationList.size(); i += 4)
            Set(kUsaStationList.substr(i, 3));
    }

    bool Has(const char* code) const
    {
        const uint32_t key = Key(code);
        return (m_bits[key >> 6] >> (key & 63)) & 1u;
    }

private:
    static uint32_t Key(const char* code)
    {
        return uint32_t(uint8_t(code[0])) << 16 | uint32_t(uint8_t(code[1])) << 8 |
               uint8_t(code[2]);
    }
    void Set(std::string_view code)
    {
        const uint32_t key = Key(code.data());
        m_bits[key >> 6] |= uint64_t(1) << (key & 63);
    }

    std::array<uint64_t, (1u << 24) / 64> m_bits{};
};

const StationSet& UsaStations()
{
    static const StationSet set;
    return set;
}

// Whether the text holds any entry of the list: a listed code followed by "-".
bool DepartsFromUsa(const std::string& text, const StationSet& stations)
{
    const char* data = text.data();
    const size_t size = text.size();
    size_t from = 3;
    while (from < size) {
        const void* dash = std::memchr(data + from, '-', size - from);
        if (!dash)
            return false;
        const size_t at = static_cast<size_t>(static_cast<const char*>(dash) - data);
        if (stations.Has(data + at - 3))
            return true;
        from = at + 1;
    }
    return false;
}

} // namespace

void ScanUsaSegments(ScheduleDocument& doc, Interaction& ui)
{
    // The text appended holds no "-", so whether a pairing is marked does not
    // depend on the order in which the list is walked: one pass per text
    // gives the same marks as one search per station.
    const int count = std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1) + 1;
    const int listLength = static_cast<int>(kUsaStationList.size());
    TProgressDialog progress(ui, "Scanning for USA Segments", listLength);
    const StationSet& stations = UsaStations();
    for (int i = 0; i < count; ++i)
        doc.Pairs[static_cast<size_t>(i)].HasUsaSegments = false;
    int shown = 0;
    for (int i = 0; i < count; ++i) {
        TPair& p = doc.Pairs[static_cast<size_t>(i)];
        if (DepartsFromUsa(p.PairText, stations)) {
            p.PairText += "   USA SEGMENT ";
            p.HasUsaSegments = true;
        }
        // The gauge follows the list position that the texts have been checked against.
        const int position = static_cast<int>(int64_t(i + 1) * (listLength - 4) / count / 4 * 4);
        if (position != shown)
            progress.SetValue(shown = position);
    }
}

} // namespace tl
