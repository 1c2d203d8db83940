-- Securing, step 2 (before the upgrade scripts, which then run as the owner role): the plant's
-- schemas, everything in them, the two domains of its columns and the database itself pass to
-- D_owner, whoever owned them (the client's built-in login sys, as a rule).

DO $$
DECLARE
    d text := current_database();
    owner_role text := d || '_owner';
    owner_oid oid := to_regrole(quote_ident(d || '_owner'));
    plant_schemas text[] := ARRAY['accounts_dep', 'cmn_contractor', 'cmn_gds_and_srv',
                                  'hrms_staffpos', 'cmn_department', 'adm_role'];
    o record;
    moved integer := 0;
BEGIN
    FOR o IN SELECT n.nspname FROM pg_namespace n
              WHERE n.nspname = ANY (plant_schemas) AND n.nspowner <> owner_oid LOOP
        EXECUTE format('ALTER SCHEMA %I OWNER TO %I', o.nspname, owner_role);
        moved := moved + 1;
    END LOOP;
    -- Tables and views first: a table takes the sequences of its serial columns with it.
    FOR o IN SELECT n.nspname, c.relname, c.relkind FROM pg_class c
               JOIN pg_namespace n ON n.oid = c.relnamespace
              WHERE n.nspname = ANY (plant_schemas) AND c.relowner <> owner_oid
                AND c.relkind IN ('r', 'p', 'v', 'm', 'f') LOOP
        EXECUTE format('ALTER %s %I.%I OWNER TO %I',
                       CASE o.relkind WHEN 'v' THEN 'VIEW' WHEN 'm' THEN 'MATERIALIZED VIEW'
                                      WHEN 'f' THEN 'FOREIGN TABLE' ELSE 'TABLE' END,
                       o.nspname, o.relname, owner_role);
        moved := moved + 1;
    END LOOP;
    FOR o IN SELECT n.nspname, c.relname FROM pg_class c
               JOIN pg_namespace n ON n.oid = c.relnamespace
              WHERE n.nspname = ANY (plant_schemas) AND c.relowner <> owner_oid
                AND c.relkind = 'S' LOOP
        EXECUTE format('ALTER SEQUENCE %I.%I OWNER TO %I', o.nspname, o.relname, owner_role);
        moved := moved + 1;
    END LOOP;
    FOR o IN SELECT p.oid::regprocedure AS f FROM pg_proc p
               JOIN pg_namespace n ON n.oid = p.pronamespace
              WHERE n.nspname = ANY (plant_schemas) AND p.proowner <> owner_oid LOOP
        EXECUTE format('ALTER ROUTINE %s OWNER TO %I', o.f, owner_role);
        moved := moved + 1;
    END LOOP;
    FOR o IN SELECT n.nspname, t.typname, t.typtype FROM pg_type t
               JOIN pg_namespace n ON n.oid = t.typnamespace
              WHERE t.typowner <> owner_oid AND t.typtype IN ('d', 'e', 'c')
                AND (n.nspname = ANY (plant_schemas)
                     OR (n.nspname = 'public' AND t.typname IN ('t_id', 't_integer')))
                AND NOT EXISTS (SELECT 1 FROM pg_class c WHERE c.oid = t.typrelid AND c.relkind <> 'c') LOOP
        EXECUTE format('ALTER %s %I.%I OWNER TO %I',
                       CASE o.typtype WHEN 'd' THEN 'DOMAIN' ELSE 'TYPE' END,
                       o.nspname, o.typname, owner_role);
        moved := moved + 1;
    END LOOP;
    IF moved > 0 THEN
        INSERT INTO secure_report(line)
            VALUES (format('роли %s переданы схемы базы и объекты в них: %s', owner_role, moved));
    END IF;
    -- The database too: its owner could drop it.
    IF (SELECT datdba FROM pg_database WHERE datname = d) <> owner_oid THEN
        INSERT INTO secure_report(line)
            SELECT format('база %s передана роли %s (была у %s)', d, owner_role, pg_get_userbyid(datdba))
              FROM pg_database WHERE datname = d;
        EXECUTE format('ALTER DATABASE %I OWNER TO %I', d, owner_role);
    END IF;
END
$$;
