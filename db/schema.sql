-- The plant database as the client uses it: the accounting schema accounts_dep and the enterprise
-- registers it reads (persons, goods, staff positions, departments, roles).
-- Loaded into an empty database by scripts/test-db.sh; on a plant the enterprise owns these.

SET client_min_messages = warning;

-- Composed statements write dates day first (DD.MM.YYYY).
DO $$
BEGIN
    EXECUTE format('ALTER DATABASE %I SET datestyle TO ''ISO, DMY''', current_database());
END
$$;
SET datestyle TO 'ISO, DMY';

CREATE DOMAIN public.t_id AS numeric(15,0);
CREATE DOMAIN public.t_integer AS integer;

CREATE SCHEMA cmn_contractor;
CREATE SCHEMA cmn_gds_and_srv;
CREATE SCHEMA hrms_staffpos;
CREATE SCHEMA cmn_department;
CREATE SCHEMA adm_role;
CREATE SCHEMA accounts_dep;

-- Enterprise registers -------------------------------------------------------------------------

CREATE SEQUENCE cmn_contractor.person_id_seq START 1000000;
CREATE TABLE cmn_contractor.person (
    id numeric(15,0) PRIMARY KEY DEFAULT nextval('cmn_contractor.person_id_seq'),
    s_caption varchar(254),
    s_code varchar(254)
);
CREATE INDEX person_s_code_idx ON cmn_contractor.person (s_code);
-- The journal finds an entry's worker by id or by code (w_id=person.id or s_code::t_id=w_id): with
-- this index both sides of the OR are index look-ups instead of comparing every entry with every
-- person. (Every code in this register is a whole number.)
CREATE INDEX person_code_as_id_idx ON cmn_contractor.person ((s_code::t_id));

CREATE SEQUENCE cmn_gds_and_srv.gds_and_srv_id_seq;
CREATE TABLE cmn_gds_and_srv.gds_and_srv (
    id numeric(15,0) PRIMARY KEY DEFAULT nextval('cmn_gds_and_srv.gds_and_srv_id_seq'),
    s_caption varchar(512) NOT NULL,
    s_name varchar(512),              -- nomenclature name; the mark stands in when it is missing
    s_description varchar(4000),
    id_msm_bs integer,
    massa numeric
);

CREATE TABLE hrms_staffpos.staffpos (
    id numeric(15,0) PRIMARY KEY,
    id_department numeric(15,0),
    s_code varchar(254),
    s_caption varchar(254),
    d_begin date,
    d_end date,
    s_description varchar(4000)
);

CREATE TABLE cmn_department.department (
    id numeric(15,0) PRIMARY KEY,
    id_branch numeric(15,0),
    s_code varchar(254),
    s_caption varchar(254),
    s_description varchar(4000),
    id_parent numeric(15,0)
);

CREATE TABLE adm_role.roles (
    id numeric(15,0) PRIMARY KEY,
    s_name varchar(30),
    s_caption varchar(254),
    d_begin date,
    d_end date,
    b_active varchar(5)
);

-- Accounting schema ------------------------------------------------------------------------------

-- Workers. Each is mirrored in the person register with s_code (and id) equal to its id, so the
-- journal, the timesheet and the reports meet the same person.
CREATE TABLE accounts_dep.person (
    id serial PRIMARY KEY,
    fio varchar(254),
    s_staffpos_hl varchar(254)
);

CREATE FUNCTION accounts_dep.person_mirror() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    IF TG_OP = 'DELETE' THEN
        DELETE FROM cmn_contractor.person WHERE s_code = OLD.id::text;
        RETURN OLD;
    ELSIF TG_OP = 'UPDATE' THEN
        UPDATE cmn_contractor.person
           SET id = NEW.id, s_caption = NEW.fio, s_code = NEW.id::text
         WHERE s_code = OLD.id::text;
        RETURN NEW;
    END IF;
    INSERT INTO cmn_contractor.person (id, s_caption, s_code) VALUES (NEW.id, NEW.fio, NEW.id::text);
    RETURN NEW;
END
$$;
CREATE TRIGGER person_mirror AFTER INSERT OR UPDATE OR DELETE ON accounts_dep.person
    FOR EACH ROW EXECUTE FUNCTION accounts_dep.person_mirror();

-- Products are the goods of unit 6, presented under the accounting names.
CREATE VIEW accounts_dep.izdel AS
    SELECT id,
           s_caption AS marka,
           coalesce(nullif(s_name, ''), s_caption)::varchar(512) AS nom,
           massa
      FROM cmn_gds_and_srv.gds_and_srv
     WHERE id_msm_bs = 6;

CREATE TABLE accounts_dep.vid_oper (
    id serial PRIMARY KEY,
    vid varchar(128)
);

CREATE TABLE accounts_dep.oper (
    id serial PRIMARY KEY,
    vid integer,
    naimen integer,
    i_id integer,
    cena_new numeric
);
CREATE INDEX oper_i_id_idx ON accounts_dep.oper (i_id);

CREATE TABLE accounts_dep.norm (
    id serial PRIMARY KEY,
    o_id integer,
    norma integer,
    prize integer,
    price double precision
);
CREATE INDEX norm_o_id_idx ON accounts_dep.norm (o_id);

CREATE TABLE accounts_dep.smena (
    id serial PRIMARY KEY,
    data date,
    smena integer,
    w_id integer,
    i_id integer,
    o_id integer,
    kol_vo integer,
    brak integer,
    cena double precision,
    color integer,
    time integer,
    ok varchar(255),
    vvod timestamp,
    prize double precision,
    id_doc numeric(15,0),
    id_doc_item numeric(15,0),
    f_gds_qty_use double precision,
    id_gds_use numeric(15,0),
    id_cons_use numeric(15,0)
);
CREATE INDEX smena_data_smena_idx ON accounts_dep.smena (data, smena);
CREATE INDEX smena_worker_day_idx ON accounts_dep.smena (w_id, smena, data);

CREATE TABLE accounts_dep.h_tabel (
    id serial PRIMARY KEY,
    w_id integer,
    smena integer,
    month integer,
    year integer,
    d1 integer DEFAULT 0, d2 integer DEFAULT 0, d3 integer DEFAULT 0, d4 integer DEFAULT 0,
    d5 integer DEFAULT 0, d6 integer DEFAULT 0, d7 integer DEFAULT 0, d8 integer DEFAULT 0,
    d9 integer DEFAULT 0, d10 integer DEFAULT 0, d11 integer DEFAULT 0, d12 integer DEFAULT 0,
    d13 integer DEFAULT 0, d14 integer DEFAULT 0, d15 integer DEFAULT 0, d16 integer DEFAULT 0,
    d17 integer DEFAULT 0, d18 integer DEFAULT 0, d19 integer DEFAULT 0, d20 integer DEFAULT 0,
    d21 integer DEFAULT 0, d22 integer DEFAULT 0, d23 integer DEFAULT 0, d24 integer DEFAULT 0,
    d25 integer DEFAULT 0, d26 integer DEFAULT 0, d27 integer DEFAULT 0, d28 integer DEFAULT 0,
    d29 integer DEFAULT 0, d30 integer DEFAULT 0, d31 integer DEFAULT 0
);
CREATE INDEX h_tabel_key_idx ON accounts_dep.h_tabel (w_id, smena, month, year);
CREATE INDEX h_tabel_month_idx ON accounts_dep.h_tabel (year, month);

CREATE TABLE accounts_dep.ver (
    d integer,
    t integer,
    delim varchar(255)
);
