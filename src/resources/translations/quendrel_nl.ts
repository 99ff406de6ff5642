<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="64000">
        <source>Warning</source>
        <extracomment>_WARNING</extracomment>
        <translation>Waarschuwing</translation>
    </message>
    <message id="64001">
        <source>Note</source>
        <extracomment>_NOTE_CAPTION</extracomment>
        <translation>Opmerking</translation>
    </message>
    <message id="64002">
        <source>Searching Upnp Devices! Please wait</source>
        <extracomment>_UPNP_BUSY</extracomment>
        <translation>UPnP-apparaten zoeken! Even geduld</translation>
    </message>
    <message id="64003">
        <source>Please specify the network type first.</source>
        <extracomment>_CHOOSE_NETWORK_TYPE</extracomment>
        <translation>Geef eerst het netwerktype op.</translation>
    </message>
    <message id="64004">
        <source>Control package sent.
Please try to re-search the device after one minute.</source>
        <extracomment>_CONTROL_PACKAGE_SENT</extracomment>
        <translation>Besturingspakket verzonden.
Zoek het apparaat over een minuut opnieuw.</translation>
    </message>
    <message id="64005">
        <source>Failed to send the control package.</source>
        <extracomment>_CONTROL_PACKAGE_FAILED</extracomment>
        <translation>Verzenden van het besturingspakket is mislukt.</translation>
    </message>
    <message id="64006">
        <source>The adapter the device answered on is gone: the package took the routed broadcast instead.</source>
        <extracomment>_ADAPTER_GONE</extracomment>
        <translation>De adapter waarop het apparaat antwoordde is weg: het pakket ging als gerouteerde broadcast.</translation>
    </message>
    <message id="64007">
        <source>Invalid %s - [%s]</source>
        <extracomment>_INVALID_ADDRESS</extracomment>
        <translation>Ongeldig: %s - [%s]</translation>
    </message>
    <message id="64008">
        <source>Unresonable Gateway - [%s]</source>
        <extracomment>_UNREASONABLE_GATEWAY</extracomment>
        <translation>Onlogische gateway - [%s]</translation>
    </message>
    <message id="64009">
        <source>Invalid %s - [%s]: %s</source>
        <extracomment>_REFUSED_ADDRESS</extracomment>
        <translation>Ongeldig: %s - [%s]: %s</translation>
    </message>
    <message id="64010">
        <source>Too long %s - [%s]: at most %s characters</source>
        <extracomment>_TOO_LONG</extracomment>
        <translation>Te lang: %s - [%s]: maximaal %s tekens</translation>
    </message>
    <message id="64012">
        <source>empty</source>
        <extracomment>_REASON_EMPTY</extracomment>
        <translation>leeg</translation>
    </message>
    <message id="64013">
        <source>not four decimal numbers 0-255 joined by dots</source>
        <extracomment>_REASON_NOT_DOTTED_QUAD</extracomment>
        <translation>geen vier decimale getallen 0-255 gescheiden door punten</translation>
    </message>
    <message id="64014">
        <source>a number with a leading zero, which some devices read as octal</source>
        <extracomment>_REASON_LEADING_ZERO</extracomment>
        <translation>een getal met voorloopnul, dat sommige apparaten octaal lezen</translation>
    </message>
    <message id="64015">
        <source>a reserved address (240.0.0.0/4), which no device can use</source>
        <extracomment>_REASON_RESERVED</extracomment>
        <translation>een gereserveerd adres (240.0.0.0/4), dat geen apparaat kan gebruiken</translation>
    </message>
    <message id="64016">
        <source>the broadcast address</source>
        <extracomment>_REASON_BROADCAST</extracomment>
        <translation>het broadcastadres</translation>
    </message>
    <message id="64017">
        <source>a multicast address</source>
        <extracomment>_REASON_MULTICAST</extracomment>
        <translation>een multicastadres</translation>
    </message>
    <message id="64018">
        <source>a loopback address</source>
        <extracomment>_REASON_LOOPBACK</extracomment>
        <translation>een loopbackadres</translation>
    </message>
    <message id="64019">
        <source>an address of network 0, which no device can reach (0.0.0.0 alone means none)</source>
        <extracomment>_REASON_NETWORK_ZERO_SERVER</extracomment>
        <translation>een adres in netwerk 0, dat geen apparaat kan bereiken (0.0.0.0 alleen = geen)</translation>
    </message>
    <message id="64020">
        <source>an address of network 0, which no device can take</source>
        <extracomment>_REASON_NETWORK_ZERO_HOST</extracomment>
        <translation>een adres in netwerk 0, dat geen apparaat kan aannemen</translation>
    </message>
    <message id="64021">
        <source>not contiguous: its ones must all come before its zeros</source>
        <extracomment>_REASON_MASK_NOT_CONTIGUOUS</extracomment>
        <translation>niet aaneengesloten: alle enen moeten vóór de nullen staan</translation>
    </message>
    <message id="64022">
        <source>0.0.0.0 leaves no network</source>
        <extracomment>_REASON_MASK_NO_NETWORK</extracomment>
        <translation>0.0.0.0 laat geen netwerk over</translation>
    </message>
    <message id="64023">
        <source>255.255.255.255 leaves no other host on the network</source>
        <extracomment>_REASON_MASK_NO_HOST</extracomment>
        <translation>255.255.255.255 laat geen andere host in het net over</translation>
    </message>
    <message id="64024">
        <source>the broadcast address of its subnet</source>
        <extracomment>_REASON_SUBNET_BROADCAST</extracomment>
        <translation>het broadcastadres van zijn subnet</translation>
    </message>
    <message id="64025">
        <source>the network address of its subnet</source>
        <extracomment>_REASON_SUBNET_NETWORK</extracomment>
        <translation>het netwerkadres van zijn subnet</translation>
    </message>
    <message id="64026">
        <source>the broadcast address of the IP address's subnet</source>
        <extracomment>_REASON_GATEWAY_BROADCAST</extracomment>
        <translation>het broadcastadres van het subnet van het IP-adres</translation>
    </message>
    <message id="64027">
        <source>the network address of the IP address's subnet</source>
        <extracomment>_REASON_GATEWAY_NETWORK</extracomment>
        <translation>het netwerkadres van het subnet van het IP-adres</translation>
    </message>
    <message id="64030">
        <source>No: Zero children</source>
        <extracomment>_UPNP_NO_CHILDREN</extracomment>
        <translation>Nee: Geen subapparaten</translation>
    </message>
    <message id="64031">
        <source>Yes: One child</source>
        <extracomment>_UPNP_ONE_CHILD</extracomment>
        <translation>Ja: Eén subapparaat</translation>
    </message>
    <message id="64032">
        <source>Yes: %s children</source>
        <extracomment>_UPNP_CHILDREN</extracomment>
        <translation>Ja: %s subapparaten</translation>
    </message>
    <message id="64033">
        <source>No: Zero services</source>
        <extracomment>_UPNP_NO_SERVICES</extracomment>
        <translation>Nee: Geen services</translation>
    </message>
    <message id="64034">
        <source>Yes: One service</source>
        <extracomment>_UPNP_ONE_SERVICE</extracomment>
        <translation>Ja: Eén service</translation>
    </message>
    <message id="64035">
        <source>Yes: %sservices</source>
        <extracomment>_UPNP_SERVICES</extracomment>
        <translation>Ja: %s services</translation>
    </message>
    <message id="64036">
        <source>Yes</source>
        <extracomment>_YES</extracomment>
        <translation>Ja</translation>
    </message>
    <message id="64037">
        <source>No</source>
        <extracomment>_NO</extracomment>
        <translation>Nee</translation>
    </message>
    <message id="64038">
        <source>This is a topmost device</source>
        <extracomment>_TOPMOST_DEVICE</extracomment>
        <translation>Apparaat op topniveau</translation>
    </message>
    <message id="64100">
        <source>Assign addresses...</source>
        <extracomment>_ASSIGN_ADDRESSES_MENU</extracomment>
        <translation>Adressen toewijzen...</translation>
    </message>
    <message id="64101">
        <source>Assign addresses</source>
        <extracomment>_ASSIGN_ADDRESSES</extracomment>
        <translation>Adressen toewijzen</translation>
    </message>
    <message id="64102">
        <source>First address</source>
        <extracomment>_FIRST_ADDRESS</extracomment>
        <translation>Eerste adres</translation>
    </message>
    <message id="64103">
        <source>Current IP</source>
        <extracomment>_CURRENT_IP</extracomment>
        <translation>Huidig IP</translation>
    </message>
    <message id="64104">
        <source>New IP</source>
        <extracomment>_NEW_IP</extracomment>
        <translation>Nieuw IP</translation>
    </message>
    <message id="64105">
        <source>Status</source>
        <extracomment>_STATUS</extracomment>
        <translation>Status</translation>
    </message>
    <message id="64106">
        <source>Skipped addresses</source>
        <extracomment>_SKIPPED_ADDRESSES</extracomment>
        <translation>Overgeslagen adressen</translation>
    </message>
    <message id="64107">
        <source>Save plan...</source>
        <extracomment>_SAVE_PLAN</extracomment>
        <translation>Plan opslaan...</translation>
    </message>
    <message id="64108">
        <source>Load plan...</source>
        <extracomment>_LOAD_PLAN</extracomment>
        <translation>Plan laden...</translation>
    </message>
    <message id="64109">
        <source>Stop</source>
        <extracomment>_STOP</extracomment>
        <translation>Stoppen</translation>
    </message>
    <message id="64110">
        <source>planned</source>
        <extracomment>_STATUS_PLANNED</extracomment>
        <translation>gepland</translation>
    </message>
    <message id="64111">
        <source>waiting</source>
        <extracomment>_STATUS_WAITING</extracomment>
        <translation>wacht</translation>
    </message>
    <message id="64112">
        <source>confirmed in %1 s</source>
        <extracomment>_STATUS_CONFIRMED</extracomment>
        <translation>bevestigd na %1 s</translation>
    </message>
    <message id="64113">
        <source>not seen</source>
        <extracomment>_STATUS_NOT_SEEN</extracomment>
        <translation>niet gezien</translation>
    </message>
    <message id="64114">
        <source>other address (%1)</source>
        <extracomment>_STATUS_OTHER_ADDRESS</extracomment>
        <translation>ander adres (%1)</translation>
    </message>
    <message id="64115">
        <source>network address</source>
        <extracomment>_SKIP_NETWORK</extracomment>
        <translation>netwerkadres</translation>
    </message>
    <message id="64116">
        <source>broadcast address</source>
        <extracomment>_SKIP_BROADCAST</extracomment>
        <translation>broadcastadres</translation>
    </message>
    <message id="64117">
        <source>gateway</source>
        <extracomment>_SKIP_GATEWAY</extracomment>
        <translation>gateway</translation>
    </message>
    <message id="64118">
        <source>DNS server</source>
        <extracomment>_SKIP_DNS</extracomment>
        <translation>DNS-server</translation>
    </message>
    <message id="64119">
        <source>this PC</source>
        <extracomment>_SKIP_THIS_PC</extracomment>
        <translation>deze pc</translation>
    </message>
    <message id="64120">
        <source>held by a device (%1)</source>
        <extracomment>_SKIP_HELD</extracomment>
        <translation>bezet door een apparaat (%1)</translation>
    </message>
    <message id="64121">
        <source>in use on the LAN</source>
        <extracomment>_SKIP_IN_USE</extracomment>
        <translation>bezet op het LAN</translation>
    </message>
    <message id="64122">
        <source>Another device answers from this IP address with another MAC. Give one of them another address (Network setup or Assign addresses).</source>
        <extracomment>_MARK_IP_CONFLICT</extracomment>
        <translation>Een ander apparaat antwoordt vanaf dit IP-adres met een ander MAC-adres. Geef een van beide een ander adres (Netwerkinstellingen of Adressen toewijzen).</translation>
    </message>
    <message id="64123">
        <source>This IP address lies outside the subnet of the adapter the device answered on (%1). Give the device an address in that subnet (Network setup or Assign addresses).</source>
        <extracomment>_MARK_OTHER_SUBNET</extracomment>
        <translation>Dit IP-adres ligt buiten het subnet van de adapter waarop het apparaat antwoordde (%1). Geef het apparaat een adres in dat subnet (Netwerkinstellingen of Adressen toewijzen).</translation>
    </message>
    <message id="64124">
        <source>Only %1 free addresses for %2 devices upward from the first address in its subnet.</source>
        <extracomment>_PLAN_TOO_FEW</extracomment>
        <translation>Slechts %1 vrije adressen voor %2 apparaten vanaf het eerste adres in zijn subnet.</translation>
    </message>
    <message id="64125">
        <source>%1 is taken: %2</source>
        <extracomment>_PLAN_TAKEN</extracomment>
        <translation>%1 is bezet: %2</translation>
    </message>
    <message id="64126">
        <source>Checking on the LAN which addresses are free...</source>
        <extracomment>_CHECKING_LAN</extracomment>
        <translation>Op het LAN controleren welke adressen vrij zijn...</translation>
    </message>
    <message id="64127">
        <source>Plan ready: press Apply to send it.</source>
        <extracomment>_PLAN_READY</extracomment>
        <translation>Plan klaar: klik op Toepassen om te verzenden.</translation>
    </message>
    <message id="64128">
        <source>Nothing was sent: %1</source>
        <extracomment>_NOTHING_SENT</extracomment>
        <translation>Niets verzonden: %1</translation>
    </message>
    <message id="64129">
        <source>Sent %1 package(s); looking for the devices at their new addresses...</source>
        <extracomment>_WAITING_FOR_DEVICES</extracomment>
        <translation>%1 pakket(ten) verzonden; apparaten op hun nieuwe adressen zoeken...</translation>
    </message>
    <message id="64130">
        <source>%1 of %2 devices answer from their new addresses.</source>
        <extracomment>_ASSIGN_DONE</extracomment>
        <translation>%1 van %2 apparaten antwoorden vanaf hun nieuwe adressen.</translation>
    </message>
    <message id="64131">
        <source>Plan files (*.csv)</source>
        <extracomment>_PLAN_FILE_FILTER</extracomment>
        <translation>Planbestanden (*.csv)</translation>
    </message>
    <message id="64132">
        <source>Cannot read the plan file %1: %2</source>
        <extracomment>_PLAN_FILE_UNREADABLE</extracomment>
        <translation>Kan het planbestand %1 niet lezen: %2</translation>
    </message>
    <message id="64133">
        <source>Cannot write the plan file %1.</source>
        <extracomment>_PLAN_FILE_UNWRITABLE</extracomment>
        <translation>Kan het planbestand %1 niet schrijven.</translation>
    </message>
    <message id="64134">
        <source>Line %1 names MAC %2, which is not among the chosen devices.</source>
        <extracomment>_PLAN_FILE_OTHER_DEVICE</extracomment>
        <translation>Regel %1 noemt MAC %2, dat niet bij de gekozen apparaten hoort.</translation>
    </message>
    <message id="64135">
        <source>Check the addresses: %1</source>
        <extracomment>_CHECK_ADDRESSES</extracomment>
        <translation>Controleer de adressen: %1</translation>
    </message>
    <message id="64136">
        <source>no free address</source>
        <extracomment>_NO_FREE_ADDRESS</extracomment>
        <translation>geen vrij adres</translation>
    </message>
    <message id="64137">
        <source>Plan</source>
        <extracomment>_PLAN_TABLE</extracomment>
        <translation>Plan</translation>
    </message>
    <message id="64138">
        <source>Devices confirmed</source>
        <extracomment>_ASSIGN_PROGRESS</extracomment>
        <translation>Bevestigde apparaten</translation>
    </message>
    <message id="64139">
        <source>Whether a host holds %1 cannot be checked: no adapter the devices answered on is in that subnet.</source>
        <extracomment>_UNCHECKED_ADDRESSES</extracomment>
        <translation>Of een host %1 gebruikt, is niet te controleren: geen adapter waarop de apparaten antwoordden ligt in dat subnet.</translation>
    </message>
    <message id="64140">
        <source>The gateway %1 lies outside the subnet of %2/%3: the devices could not reach it.</source>
        <extracomment>_GATEWAY_OUTSIDE</extracomment>
        <translation>De gateway %1 ligt buiten het subnet %2/%3: de apparaten zouden hem niet kunnen bereiken.</translation>
    </message>
    <message id="64200">
        <source>No web browser could be started. Open this address in a browser yourself:</source>
        <extracomment>_BROWSER_NOT_STARTED</extracomment>
        <translation>Er kon geen webbrowser worden gestart. Open dit adres zelf in een browser:</translation>
    </message>
    <message id="64250">
        <source>No network adapter is up that can broadcast: connect this PC to the cameras' network.</source>
        <extracomment>_HINT_NO_ADAPTER</extracomment>
        <translation>Geen actieve netwerkadapter die kan broadcasten: verbind deze pc met het netwerk van de camera's.</translation>
    </message>
    <message id="64251">
        <source>Cannot listen for answers on UDP port 6667: another program is using it.</source>
        <extracomment>_HINT_REPLY_PORT</extracomment>
        <translation>Kan niet luisteren naar antwoorden op UDP-poort 6667: een ander programma gebruikt deze.</translation>
    </message>
    <message id="64252">
        <source>The firewall (%s) drops the cameras' answers: let UDP port 6667 in.</source>
        <extracomment>_HINT_FIREWALL</extracomment>
        <translation>De firewall (%s) blokkeert de antwoorden van de camera's: sta UDP-poort 6667 toe.</translation>
    </message>
    <message id="65472">
        <source>ModelNumber</source>
        <extracomment>_MODEL_NUMBER</extracomment>
        <translation>Modelnummer</translation>
    </message>
    <message id="65473">
        <source>IconURL</source>
        <extracomment>_ICON_URL</extracomment>
        <translation>Pictogram-URL</translation>
    </message>
    <message id="65474">
        <source>Description</source>
        <extracomment>_DESCRIPTION</extracomment>
        <translation>Beschrijving</translation>
    </message>
    <message id="65475">
        <source>Friendlyname</source>
        <extracomment>_FRIENDLY_NAME</extracomment>
        <translation>Weergavenaam</translation>
    </message>
    <message id="65476">
        <source>ParentDevice</source>
        <extracomment>_PARENT_DEVICE</extracomment>
        <translation>Ouderapparaat</translation>
    </message>
    <message id="65488">
        <source>Device Information</source>
        <extracomment>_DEVICE_INFORMATION</extracomment>
        <translation>Apparaatinformatie</translation>
    </message>
    <message id="65489">
        <source>Upnp Device Detail Info.</source>
        <extracomment>_UPNP_DEVICE_DETAIL_INFO</extracomment>
        <translation>UPnP-apparaatdetails</translation>
    </message>
    <message id="65490">
        <source>Child</source>
        <extracomment>_CHILD</extracomment>
        <translation>Onderliggend</translation>
    </message>
    <message id="65491">
        <source>HasChildren</source>
        <extracomment>_HAS_CHILDREN</extracomment>
        <translation>Heeft subapparaten</translation>
    </message>
    <message id="65492">
        <source>IsRootDevice</source>
        <extracomment>_IS_ROOT_DEVICE</extracomment>
        <translation>Is hoofdapparaat</translation>
    </message>
    <message id="65493">
        <source>PresentationURL</source>
        <extracomment>_PRESENTATION_URL</extracomment>
        <translation>Presentatie-URL</translation>
    </message>
    <message id="65494">
        <source>ModelURL</source>
        <extracomment>_MODEL_URL</extracomment>
        <translation>Model-URL</translation>
    </message>
    <message id="65495">
        <source>RootDevice</source>
        <extracomment>_ROOT_DEVICE</extracomment>
        <translation>Hoofdapparaat</translation>
    </message>
    <message id="65496">
        <source>SerialNumber</source>
        <extracomment>_SERIAL_NUMBER</extracomment>
        <translation>Serienummer</translation>
    </message>
    <message id="65497">
        <source>Type</source>
        <extracomment>_UPNPInfoForm_TYPE</extracomment>
        <translation>Type</translation>
    </message>
    <message id="65498">
        <source>Services</source>
        <extracomment>_SERVICES</extracomment>
        <translation>Services</translation>
    </message>
    <message id="65499">
        <source>UniqueDeviceName</source>
        <extracomment>_UNIQUE_DEVICE_NAME</extracomment>
        <translation>Apparaatnaam (UDN)</translation>
    </message>
    <message id="65500">
        <source>UPC</source>
        <extracomment>_UPC</extracomment>
        <translation>UPC</translation>
    </message>
    <message id="65501">
        <source>ManufacturerURL</source>
        <extracomment>_MANUFACTURER_URL</extracomment>
        <translation>Fabrikant-URL</translation>
    </message>
    <message id="65502">
        <source>ModelName</source>
        <extracomment>_MODEL_NAME</extracomment>
        <translation>Modelnaam</translation>
    </message>
    <message id="65503">
        <source>ManufacturerName</source>
        <extracomment>_MANUFACURL_NAME</extracomment>
        <translation>Fabrikantnaam</translation>
    </message>
    <message id="65504">
        <source>Name</source>
        <extracomment>_NAME</extracomment>
        <translation>Naam</translation>
    </message>
    <message id="65505">
        <source>IP</source>
        <extracomment>_IP</extracomment>
        <translation>IP</translation>
    </message>
    <message id="65506">
        <source>Netmask</source>
        <extracomment>_NETMASK</extracomment>
        <translation>Subnetmasker</translation>
    </message>
    <message id="65507">
        <source>Gateway</source>
        <extracomment>_GATEWAY</extracomment>
        <translation>Gateway</translation>
    </message>
    <message id="65508">
        <source>Port</source>
        <extracomment>_PORT</extracomment>
        <translation>Poort</translation>
    </message>
    <message id="65509">
        <source>MAC</source>
        <extracomment>_MAC</extracomment>
        <translation>MAC</translation>
    </message>
    <message id="65510">
        <source>DEV</source>
        <extracomment>_DEV</extracomment>
        <translation>Interface</translation>
    </message>
    <message id="65511">
        <source>DNS</source>
        <extracomment>_DNS</extracomment>
        <translation>DNS</translation>
    </message>
    <message id="65512">
        <source>Note</source>
        <extracomment>_NOTE</extracomment>
        <translation>Notitie</translation>
    </message>
    <message id="65513">
        <source>Apply</source>
        <extracomment>_APPLY</extracomment>
        <translation>Toepassen</translation>
    </message>
    <message id="65514">
        <source>Close</source>
        <extracomment>_CLOSE</extracomment>
        <translation>Sluiten</translation>
    </message>
    <message id="65515">
        <source>Network Property</source>
        <extracomment>_NETWORK_PROPERTY</extracomment>
        <translation>Netwerkeigenschappen</translation>
    </message>
    <message id="65516">
        <source>IP Address</source>
        <extracomment>_IP_ADDRESS</extracomment>
        <translation>IP-adres</translation>
    </message>
    <message id="65517">
        <source>DHCP</source>
        <extracomment>_DHCP</extracomment>
        <translation>DHCP</translation>
    </message>
    <message id="65518">
        <source>EZNet</source>
        <extracomment>_EZNET</extracomment>
        <translation>EZNet</translation>
    </message>
    <message id="65519">
        <source>Static IP</source>
        <extracomment>_STATIC_IP</extracomment>
        <translation>Statisch IP</translation>
    </message>
    <message id="65520">
        <source>Quendrel</source>
        <extracomment>_QUENDREL</extracomment>
        <translation>Quendrel</translation>
    </message>
    <message id="65521">
        <source>Search Method</source>
        <extracomment>_SEARCH_METHOD</extracomment>
        <translation>Zoekmethode</translation>
    </message>
    <message id="65522">
        <source>Search Upnp...</source>
        <extracomment>_SEARCH_UPNP</extracomment>
        <translation>UPnP zoeken...</translation>
    </message>
    <message id="65523">
        <source>Searching...</source>
        <extracomment>_SEARCHING</extracomment>
        <translation>Zoeken...</translation>
    </message>
    <message id="65524">
        <source>Local Broadcast</source>
        <extracomment>_LOCAL_BROADCAST</extracomment>
        <translation>Lokale broadcast</translation>
    </message>
    <message id="65525">
        <source>IP Relay</source>
        <extracomment>_IP_RELAY</extracomment>
        <translation>IP-relay</translation>
    </message>
    <message id="65526">
        <source>Project Filter</source>
        <extracomment>_PROJECT_FILTER</extracomment>
        <translation>Projectfilter</translation>
    </message>
    <message id="65527">
        <source>0 device(s) found!</source>
        <extracomment>_ZERO_DEVICE_FOUND</extracomment>
        <translation>0 apparaten gevonden!</translation>
    </message>
    <message id="65528">
        <source>device(s) found!</source>
        <extracomment>_DEVICE_FOUND</extracomment>
        <translation>apparaat(en) gevonden!</translation>
    </message>
    <message id="65529">
        <source>Detail info.</source>
        <extracomment>_DETAIL_INFO</extracomment>
        <translation>Details</translation>
    </message>
    <message id="65530">
        <source>Browse</source>
        <extracomment>_BROWSE</extracomment>
        <translation>Webpagina openen</translation>
    </message>
    <message id="65531">
        <source>Network setup</source>
        <extracomment>_NETWORK_SETUP</extracomment>
        <translation>Netwerkinstellingen</translation>
    </message>
    <message id="65532">
        <source>&lt;Customized&gt;</source>
        <extracomment>_CUSTOMISZED</extracomment>
        <translation>&lt;Aangepast&gt;</translation>
    </message>
    <message id="65533">
        <source>OK</source>
        <extracomment>_OK</extracomment>
        <translation>OK</translation>
    </message>
    <message id="65534">
        <source>Model</source>
        <extracomment>_MODEL</extracomment>
        <translation>Model</translation>
    </message>
    <message id="65535">
        <source>Project</source>
        <extracomment>_PROJECT</extracomment>
        <translation>Project</translation>
    </message>
</context>
</TS>
